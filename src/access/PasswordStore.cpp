#include "access/PasswordStore.h"

#include "access/Crypt.h"
#include "storage/IniFile.h"
#include "storage/ProgramFolder.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr std::u16string_view Section = u"Accesso";
constexpr std::u16string_view Key = u"Valore";

IniFile PasswordFile()
{
    return IniFile(ProgramFile("unins000.dll"));
}

Text Normalised(std::u16string_view password)
{
    return Trim(UpperAZ(password));
}

} // namespace

Text ReadStoredPassword()
{
    const IniFile file = PasswordFile();
    const IniValues values = file.Load();
    // A folder, a pipe or a damaged giant in its place is a failure of reading the password,
    // as an undecodable value is.
    if (values.Unreadable())
        throw FileFailure({"read", file.Path(), "not a regular file of at most 1 MB"});
    try {
        return Trim(CryptDecode(values.Read(Section, Key)));
    } catch (const FileFailure& failure) {
        throw FileFailure({"read", file.Path(), failure.Error().reason});
    }
}

bool PasswordMatches(std::u16string_view stored, std::u16string_view typed)
{
    const Text storedPassword = Trim(stored);
    return !storedPassword.empty() && storedPassword == Normalised(typed);
}

bool PasswordCanBeStored(std::u16string_view newPassword)
{
    const Text password = Normalised(newPassword);
    return !password.empty() && password.size() <= MaxPasswordLength
        && std::all_of(password.begin(), password.end(), [](char16_t c) { return c <= 255; });
}

void StorePassword(std::u16string_view newPassword)
{
    if (!PasswordCanBeStored(newPassword))
        throw std::invalid_argument("password cannot be stored faithfully");
    PasswordFile().Write(Section, Key, Trim(CryptEncode(Normalised(newPassword))));
}
