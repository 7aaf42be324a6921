#include "controls/statusbar.h"
#include "document/documentnames.h"
#include "files/loadfile.h"
#include "files/savefile.h"
#include "shownform.h"
#include "support/scratchfolder.h"
#include "textarea/textarea.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>
#include <random>

// Real key presses on the main window, checked after every key against a small model of the
// document as lines and break forms. The model does not move the caret: it reads the caret and
// the selection from the text area and predicts what each editing key does to the text.
namespace {

struct ModelText
{
    QStringList lines{QString()};
    QByteArray kinds; // 'W' CR LF, 'L' LF, 'C' CR: the form of each break, in order

    bool operator==(const ModelText &) const = default;

    // What loading the bytes gives: CR LF is one break, a lone CR or LF one each.
    static ModelText fromBytes(const QByteArray &bytes)
    {
        ModelText model;
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const char c = bytes.at(i);
            if (c != '\r' && c != '\n') {
                model.lines.last().append(QChar::fromLatin1(c));
                continue;
            }
            const bool pair = c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n';
            model.kinds.append(pair ? 'W' : c == '\r' ? 'C' : 'L');
            i += pair ? 1 : 0;
            model.lines.append(QString());
        }
        return model;
    }

    QByteArray bytes() const
    {
        QByteArray result = lines.first().toLatin1();
        for (qsizetype i = 0; i < kinds.size(); ++i) {
            result += kinds.at(i) == 'W' ? "\r\n" : kinds.at(i) == 'L' ? "\n" : "\r";
            result += lines.at(i + 1).toLatin1();
        }
        return result;
    }

    // Positions as the editor counts them: one for each character and each break.
    int length() const { return int(text().size()); }
    QString text() const { return lines.join(u'\n'); }

    // Replaces the characters between two positions; each "\n" in the new text is a CR LF break.
    void replace(int from, int to, const QString &inserted)
    {
        const QString all = text();
        const QString before = all.left(from);
        const int lineOfFrom = int(before.count(u'\n'));
        const int breaksRemoved = int(all.mid(from, to - from).count(u'\n'));
        const QStringList pieces = (before + inserted + all.mid(to)).split(u'\n');
        kinds.replace(lineOfFrom, breaksRemoved, QByteArray(inserted.count(u'\n'), 'W'));
        lines = pieces;
    }
};

ModelText RandomDocument(std::mt19937 &random)
{
    std::uniform_int_distribution<int> lineCount(1, 7), lineLength(0, 5), letter(0, 3), kind(0, 2);
    ModelText made;
    made.lines.clear();
    for (int line = lineCount(random); line > 0; --line) {
        QString text;
        for (int i = lineLength(random); i > 0; --i)
            text += QChar::fromLatin1("ab \xE9"[letter(random)]);
        made.lines.append(text);
    }
    for (int i = 1; i < made.lines.size(); ++i)
        made.kinds.append("WLC"[kind(random)]);
    // What the editor holds is what a load of these bytes gives.
    return ModelText::fromBytes(made.bytes());
}

enum class Key { Letter, Enter, Backspace, Delete, Move, SelectAll, Undo, Cut, Copy, Paste };

Key RandomKey(std::mt19937 &random)
{
    static const std::discrete_distribution<int> weights{18, 12, 10, 8, 28, 3, 9, 4, 4, 4};
    auto distribution = weights;
    return static_cast<Key>(distribution(random));
}

class Session
{
public:
    Session(ShownForm &shown, const ScratchFolder &folder, unsigned seed)
        : shown_(shown), text_(*shown.text()), random_(seed)
    {
        model_ = RandomDocument(random_);
        path_ = folder.write(u"session.diz"_qs, model_.bytes());
        DocumentWindow &window = shown_.form.documentWindow();
        if (!LoadFile(window, path_))
            ADD_FAILURE() << "the document did not load";
        AttachToFile(window, path_, u"session.diz"_qs);
        history_.append(model_);
        QApplication::clipboard()->clear();
    }

    // Presses one random key and says what went wrong, if anything.
    QString step()
    {
        const Key key = RandomKey(random_);
        const QTextCursor cursor = text_.textCursor();
        const int from = cursor.selectionStart(), to = cursor.selectionEnd();
        const bool selected = from != to;
        const ModelText before = model_;
        const int revision = text_.document()->revision();
        QString pressed;
        switch (key) {
        case Key::Letter: {
            const char letter = "xy "[std::uniform_int_distribution<int>(0, 2)(random_)];
            pressed = QString(u'"') + QChar::fromLatin1(letter) + u'"';
            QTest::keyClick(&text_, letter);
            model_.replace(from, to, QString(QChar::fromLatin1(letter)));
            break;
        }
        case Key::Enter:
            pressed = u"Enter"_qs;
            QTest::keyClick(&text_, Qt::Key_Return);
            model_.replace(from, to, u"\n"_qs);
            break;
        case Key::Backspace:
            pressed = u"Backspace"_qs;
            QTest::keyClick(&text_, Qt::Key_Backspace);
            if (selected || from > 0)
                model_.replace(selected ? from : from - 1, to, {});
            break;
        case Key::Delete:
            pressed = u"Delete"_qs;
            QTest::keyClick(&text_, Qt::Key_Delete);
            if (selected || to < model_.length())
                model_.replace(from, selected ? to : to + 1, {});
            break;
        case Key::Move:
            pressed = move();
            break;
        case Key::SelectAll:
            pressed = u"Ctrl+A"_qs;
            QTest::keyClick(&text_, Qt::Key_A, Qt::ControlModifier);
            break;
        case Key::Undo:
            pressed = u"Ctrl+Z"_qs;
            QTest::keyClick(&text_, Qt::Key_Z, Qt::ControlModifier);
            if (QString problem = followUndo(); !problem.isEmpty())
                return pressed + u": "_qs + problem;
            break;
        case Key::Cut:
        case Key::Copy:
            pressed = key == Key::Cut ? u"Ctrl+X"_qs : u"Ctrl+C"_qs;
            QTest::keyClick(&text_, key == Key::Cut ? Qt::Key_X : Qt::Key_C, Qt::ControlModifier);
            clipboard_ = model_.text().mid(from, to - from);
            if (key == Key::Cut)
                model_.replace(from, to, {});
            if (QApplication::clipboard()->text() != clipboard_)
                return pressed + u": the clipboard holds "_qs + QApplication::clipboard()->text();
            break;
        case Key::Paste:
            pressed = u"Ctrl+V"_qs;
            QTest::keyClick(&text_, Qt::Key_V, Qt::ControlModifier);
            model_.replace(from, to, clipboard_);
            break;
        }
        // Undo reverses itself until the text changes in another way; moving the caret does not
        // count, whatever the model makes of the change.
        if (key != Key::Undo && text_.document()->revision() != revision)
            undoneFrom_.reset();
        if (key != Key::Undo && model_ != before)
            history_.append(model_);
        keys_ += pressed + u' ';
        return compare();
    }

    // Saves through the program's own save step and reads the file back.
    QString saveAndCompare()
    {
        if (!SaveFile(shown_.form.documentWindow()))
            return u"the save failed"_qs;
        const QByteArray saved = ScratchFolder::read(path_);
        return saved == model_.bytes() ? QString() : u"the file holds "_qs + saved.toHex(' ');
    }

    QString keys() const { return keys_; }

private:
    QString move()
    {
        static const Qt::Key moves[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,
                                        Qt::Key_Down, Qt::Key_Home,  Qt::Key_End};
        const Qt::Key key = moves[std::uniform_int_distribution<int>(0, 5)(random_)];
        const bool shift = std::uniform_int_distribution<int>(0, 3)(random_) == 0;
        QTest::keyClick(&text_, key, shift ? Qt::ShiftModifier : Qt::NoModifier);
        return QKeySequence(key | (shift ? Qt::ShiftModifier : Qt::NoModifier)).toString();
    }

    // The first undo goes back to a state the document had; the next one redoes exactly what it
    // undid, and so on in turn.
    QString followUndo()
    {
        const ModelText now = modelOfTextArea();
        if (undoneFrom_) {
            if (now != *undoneFrom_)
                return u"did not give back the state before the last undo"_qs;
            undoneFrom_ = model_;
            model_ = now;
            return {};
        }
        if (!history_.contains(now))
            return u"gave a state the document never had: "_qs + now.bytes().toHex(' ');
        undoneFrom_ = model_;
        model_ = now;
        return {};
    }

    // The document as the text area shows it, with the forms of its breaks read from its bytes:
    // every line known, the bytes between them can only be read one way.
    ModelText modelOfTextArea() const
    {
        ModelText shown;
        shown.lines = text_.toPlainText().split(u'\n');
        QByteArray bytes = text_.bytes();
        for (qsizetype line = 0, at = 0; line + 1 < shown.lines.size(); ++line) {
            at += shown.lines.at(line).size();
            const bool pair = bytes.mid(at, 2) == "\r\n";
            shown.kinds.append(pair ? 'W' : bytes.at(at) == '\r' ? 'C' : 'L');
            at += pair ? 2 : 1;
        }
        return shown;
    }

    QString compare() const
    {
        if (text_.toPlainText() != model_.text())
            return u"the text is "_qs + text_.toPlainText();
        if (text_.bytes() != model_.bytes())
            return u"a save would write "_qs + text_.bytes().toHex(' ') + u", not "_qs +
                   model_.bytes().toHex(' ');
        const QString gauge = shown_.form.findChild<StatusBar *>()->panelText(1);
        if (!gauge.startsWith(QString::number(model_.bytes().size()) + u' '))
            return u"the gauge reads "_qs + gauge;
        return {};
    }

    ShownForm &shown_;
    TextArea &text_;
    std::mt19937 random_;
    ModelText model_;
    QList<ModelText> history_;
    std::optional<ModelText> undoneFrom_;
    QString clipboard_;
    QString path_;
    QString keys_;
};

int SessionCount()
{
    // A longer run: VELLUM_KEY_SESSIONS=3000 (the soak target does this).
    const int asked = qEnvironmentVariableIntValue("VELLUM_KEY_SESSIONS");
    return asked > 0 ? asked : 150;
}

} // namespace

TEST(RealKeys, EveryKeyLeavesTheBytesAndTheGaugeAsTheModelSays)
{
    ShownForm shown;
    const ScratchFolder folder;
    QStringList failures;
    for (int seed = 1; seed <= SessionCount(); ++seed) {
        Session session(shown, folder, seed);
        QString problem;
        for (int key = 0; key < 20 && problem.isEmpty(); ++key)
            problem = session.step();
        if (problem.isEmpty())
            problem = session.saveAndCompare();
        if (!problem.isEmpty())
            failures << u"seed %1, keys %2\n    %3"_qs.arg(seed).arg(session.keys(), problem);
    }
    EXPECT_TRUE(failures.isEmpty()) << failures.size() << " sessions failed:\n"
                                    << failures.mid(0, 10).join(u'\n').toStdString();
}
