#pragma once

#include <QByteArray>

// A new file written in a folder to take the place of one of the folder's files. Where the file
// system allows, it has no name until it is complete, so that a program ended part way leaves
// nothing behind; elsewhere it has a short name of its own from the start. Dropped before it has
// taken the other file's place, it is removed.
class ReplacementFile
{
public:
    enum class Kind { Unnamed, Named };

    // For an unnamed file that the file system cannot make or cannot give a name: a named one is
    // to be written instead.
    static constexpr int NoUnnamedFile = -2;

    // Creates the file in folder, given as the bytes of its name. fd() is then the file's
    // descriptor, or -1 with the reason in error(): an errno value or NoUnnamedFile.
    ReplacementFile(const QByteArray &folder, Kind kind);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile &) = delete;
    ReplacementFile &operator=(const ReplacementFile &) = delete;

    int fd() const { return fd_; }
    int error() const { return error_; }

    // Closes the complete file and renames it over target, a file in the same folder. Returns 0,
    // an errno value or NoUnnamedFile; target is left as it was on any failure.
    int TakePlaceOf(const QByteArray &target);

private:
    int GiveName();

    QByteArray folder_;
    QByteArray name_;
    int fd_ = -1;
    int error_ = 0;
    bool placed_ = false;
};
