// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Seams.h"

namespace kt {

// The teacher's password checked against the salted hash of the settings
// file, by the same library that the editor and qbank make it with.
class HashPasswordCheck : public PasswordCheck {
public:
    bool Readable(const QString& stored) override;
    bool Matches(const QString& stored, const QString& typed) override;
};

} // namespace kt
