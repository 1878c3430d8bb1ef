// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kt {

// A class folder is shared by every student account of a group: whoever
// comes second to a PC must still be able to append to the files the first
// one created. So a file this program has just created is made
// group-writable (0664) regardless of the umask, unless the folder has a
// default ACL, whose rights then stand as the system gave them.
#ifndef _WIN32
void makeSharedFile(int fd, const QString& path);
#endif

// Creates the folder when it is missing, group-writable (setgid is inherited
// from a setgid parent by the system). False when it is not there afterwards.
bool ensureSharedFolder(const QString& path);

} // namespace kt
