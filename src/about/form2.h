#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class LinkLabel;
class QLabel;
class QPushButton;

// The maker's home page: the link's caption, and what a click on the link opens.
inline const QString HomePageAddress = u"https://vellum.example/"_qs;

// The About box: the program's icon on a strip to the left, the notices and the home-page link
// on a white panel, and the OK button below. Built for one showing and discarded after it.
class Form2 : public QDialog
{
    Q_OBJECT

public:
    explicit Form2(QWidget *owner);

    void Command1_Click();
    void Label5_Click();

protected:
    void changeEvent(QEvent *event) override;
    // Centres the box over its owner as it comes up.
    void showEvent(QShowEvent *event) override;

private:
    void fitColoursToPalette();

    LinkLabel *Label5;
    QPushButton *Command1;
    QList<QLabel *> notices_;
    QWidget *line3_ = nullptr;
};

// Help > About...: shows a fresh About box, modal and centred over the owner, and discards it.
void ShowAboutBox(QWidget *owner);
