#pragma once

class QWidget;

// Help > Content, F1 and the toolbar's Help button: the help page beside the program.
void ShowHelpPage(QWidget *owner);

// Help > Readme.txt: the read-me beside the program, started in the program's folder.
void ShowReadme(QWidget *owner);
