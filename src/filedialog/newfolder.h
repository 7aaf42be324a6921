#pragma once

#include <QString>

class QWidget;

// Asks for the name of a new folder in a small dialog centred over the file dialog, offering
// "New Folder". Empty when the user cancels or gives no name.
QString AskNewFolderName(QWidget *fileDialog);

// Makes the folder at the full path; empty on success, else the system's reason.
QString MakeFolder(const QString &path);
