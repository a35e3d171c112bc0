#pragma once
// The login password, scrambled with CryptEncode, in section "Accesso", key "Valore" of
// unins000.dll (an INI file despite its name) in the program folder.
#include "storage/Text.h"

#include <cstddef>
#include <string_view>

inline constexpr std::size_t MaxPasswordLength = 255;

// The stored password, decoded and trimmed; empty when the file or key is missing.
// Throws FileFailure, naming the file, when the stored value is not hexadecimal or the file
// cannot be read (a folder, a pipe, a file far larger than a password file can be).
Text ReadStoredPassword();

// The typed password, upper-cased (a to z only) and trimmed, equals the trimmed stored one.
// An empty stored password matches nothing.
bool PasswordMatches(std::u16string_view stored, std::u16string_view typed);

// True when the password, normalised as it would be stored, has 1 to 255 characters, all of
// codes up to 255 (longer texts and other characters would not decode to the same text).
bool PasswordCanBeStored(std::u16string_view newPassword);

// Stores the password normalised (upper-cased a to z, trimmed) and scrambled.
// Throws FileFailure (see IniFile::Write) when the file cannot be written, std::invalid_argument when
// PasswordCanBeStored refuses it.
void StorePassword(std::u16string_view newPassword);
