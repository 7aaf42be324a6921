#pragma once

#include <QDialog>
#include <QString>

class LinkLabel;
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

private:
    LinkLabel *Label5;
    QPushButton *Command1;
};

// Help > About...: shows a fresh About box, modal and centred over the owner, and discards it.
void ShowAboutBox(QWidget *owner);
