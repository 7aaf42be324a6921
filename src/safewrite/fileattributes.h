#pragma once

#include <QByteArray>
#include <sys/stat.h>

// Gives a newly written file everything the file it replaces had besides its content: owner and
// group, extended attributes (among them the access control list) and permission bits, in an
// order that never lets the new file give anyone more access than the old one did. Attributes
// the new file took from its folder (a default access control list) are removed. Returns false
// when any of it could not be carried over; the new file must then not take the old one's place.
bool CarryAttributes(int newFd, const QByteArray &oldName, const struct stat &old);
