#pragma once

class QWidget;

// Help > About...: shows a fresh About box, modal and centred over the owner, and discards it.
void ShowAboutBox(QWidget *owner);
