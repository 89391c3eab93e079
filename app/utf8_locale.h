// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace prism {

// Where the environment's locale has no UTF-8 character type (C, POSIX, an
// 8-bit locale), switches the character type to C.UTF-8 before Qt starts:
// Qt would otherwise switch it itself and say so in four lines before the
// program's own. Every other category, numbers among them, stays as the
// environment sets it. Does nothing on Windows.
void UseUtf8CharacterType();

}  // namespace prism
