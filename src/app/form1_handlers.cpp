#include "app/form1.h"

#include <QCloseEvent>

void Form1::mnunew_Click() {}

void Form1::mnuopen_Click() {}

void Form1::mnusave_Click() {}

void Form1::mnusaveas_Click() {}

void Form1::mnuexit_Click() {}

void Form1::mnueditundo_Click() {}

void Form1::mnueditcmd_Click(int) {}

void Form1::mnueditcmd2_Click() {}

void Form1::mnuhelpcontent_Click() {}

void Form1::mnuhelpreadme_Click() {}

void Form1::mnuhelpabout_Click() {}

void Form1::Toolbar1_ButtonClick(const QString &) {}

void Form1::closeEvent(QCloseEvent *event) { event->accept(); }
