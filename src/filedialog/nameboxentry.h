#pragma once

#include <QString>
#include <functional>

// What a text typed into the file dialog's name box asks for. Kept apart from the dialog and
// from the disk: the caller says what exists through kindOf.

enum class PathKind { Missing, Folder, File };
using PathKindOf = std::function<PathKind(const QString &path)>;

struct NameBoxContext
{
    QString folder;     // the folder the dialog shows, a full path
    QString defaultExt; // added, with or without its dot, to a name that has no extension
    bool open = false;  // an existing name without extension is taken as it stands
    PathKindOf kindOf;
};

struct NameBoxMeaning
{
    enum class Kind {
        Nothing,       // an empty box
        Patterns,      // list the folder at path by patternText
        Folder,        // go to the folder at path
        File,          // choose the file at path; exists tells whether it is there already
        MissingFolder, // the folder at path, which should hold the name, does not exist
    };
    Kind kind = Kind::Nothing;
    QString path;
    QString patternText;
    bool exists = false;
};

// The full path that a typed path names, seen from the folder: "..", "." and repeated slashes
// are resolved by the text alone.
QString ResolvePath(const QString &folder, const QString &typed);

NameBoxMeaning InterpretNameBox(const QString &text, const NameBoxContext &context);
