#include "filedialog/desktopchooser.h"

#include "filedialog/folderlisting.h"
#include "filedialog/modalblock.h"
#include "filedialog/nameboxentry.h"
#include "filedialog/portalfilechooser.h"
#include "filedialog/replacequestion.h"
#include "platform/filenames.h"

#include <QGuiApplication>
#include <QWidget>

namespace {

// Only a program whose windows are on a desktop has one to ask: not one drawn off the screen.
bool OnDesktop()
{
    const QString platform = QGuiApplication::platformName();
    return platform == u"xcb" || platform.startsWith(u"wayland");
}

// The chooser stays over the owner's window. Under Wayland it would need a handle exported by
// the compositor, which this Qt does not give, so the chooser goes without.
QString ParentWindow(QWidget *owner)
{
    if (!owner || QGuiApplication::platformName() != u"xcb")
        return {};
    return u"x11:"_qs + QString::number(owner->window()->winId(), 16);
}

// The name with the default extension as the own dialog adds it. Open takes an existing file as
// the user chose it.
QString WithDefaultExtension(const QString &path, const QString &defaultExt, bool open)
{
    if (open && KindOfPath(path) == PathKind::File)
        return path;
    const NameBoxMeaning meaning = InterpretNameBox(path, {.folder = FolderPart(path),
                                                           .defaultExt = defaultExt,
                                                           .open = open,
                                                           .kindOf = KindOfPath,
                                                           .home = {},
                                                           .pathMustExist = open});
    return meaning.kind == NameBoxMeaning::Kind::File ? meaning.path : path;
}

} // namespace

DesktopChoice ChooseOnDesktop(const CommonDialog &properties, CommonDialog::Kind kind,
                              const QString &startFolder)
{
    if (!OnDesktop())
        return {};
    PortalFileChooser chooser(QDBusConnection::sessionBus());
    if (!chooser.portalOnBus())
        return {};

    const bool save = kind == CommonDialog::Kind::Save;
    PortalQuestion question{save,
                            ParentWindow(properties.owner()),
                            properties.DialogTitle,
                            ParseFilter(properties.Filter),
                            properties.FilterIndex,
                            startFolder,
                            FileNamePart(properties.FileName)};
    for (;;) {
        PortalAnswer answer;
        {
            const ModalBlock block;
            answer = chooser.ask(question);
        }
        switch (answer.outcome) {
        case PortalAnswer::Outcome::Unanswered:
            return {};
        case PortalAnswer::Outcome::Cancelled:
            return {true, {}};
        case PortalAnswer::Outcome::Chosen:
            break;
        }
        // The chooser asked about the name as it was given, not the one with the extension.
        const QString path = WithDefaultExtension(answer.path, properties.DefaultExt, !save);
        const bool askFirst = save && (properties.Flags & CommonDialog::OverwritePrompt) &&
                              path != answer.path && KindOfPath(path) == PathKind::File;
        if (!askFirst || AskToReplace(properties.owner(), properties.DialogTitle, path))
            return {true, path};
        question.folder = FolderPart(answer.path);
        question.name = FileNamePart(answer.path);
    }
}
