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
    QString home;               // what a leading "~" stands for, a full path
    bool pathMustExist = false; // a name in a folder that does not exist is refused, not returned
};

struct NameBoxMeaning
{
    enum class Kind {
        Nothing,       // an empty box
        Patterns,      // list the folder at path by patternText
        Folder,        // go to the folder at path
        File,          // choose the file at path; exists tells whether it is there already
        MissingFolder, // the folder at path does not exist: it should hold the name (when
                       // the path must exist), the patterns or the folder typed with a "/"
    };
    Kind kind = Kind::Nothing;
    QString path;
    QString patternText;
    bool exists = false;
};

// The full path that a typed path names, seen from the folder: "..", "." and repeated slashes
// are resolved by the text alone.
QString ResolvePath(const QString &folder, const QString &typed);

// "~" and a leading "~/" stand for the home folder, as in a shell; the rest of the text is kept
// as typed. "~user" stays a name: other users' folders are not looked up.
NameBoxMeaning InterpretNameBox(const QString &text, const NameBoxContext &context);
