#pragma once
// What the "Vai" and "Cerca con Google" commands hand to the desktop. The desktop's open
// action runs programs and opens local files as readily as web pages, and a sheet's web-site
// field may come from a file written by other means, so only web addresses get through.
#include "storage/Text.h"

#include <optional>
#include <string_view>

// The address to open for the text of a web-site box: an http, https or ftp address with a
// host, as typed (trimmed); a text without a scheme ("www.example.it", "example.it:8080/a")
// as an http address. Anything else opens nothing: another scheme ("file:", "javascript:",
// "mailto:"), a local or network path ("C:\...", "/usr/bin/...", "\\server\share"), or a
// scheme without a host (the bare "https://" of a new sheet).
std::optional<Text> WebAddressToOpen(std::u16string_view typed);

// The results page of a web search for `phrase` (trimmed): the phrase follows "?q=" as
// typed, blanks included; only the characters that would end or split the query ('%', '&',
// '#', '+') are written as escapes, so that the search engine receives the whole phrase.
Text WebSearchAddress(std::u16string_view phrase);

// The mail link for the text of an e-mail box: "mailto:" and the address (trimmed). Whatever
// follows a '?' is left out: in a mail link it would add headers such as an attachment or
// hidden recipients, which a field written by other means must not be able to do.
Text MailToAddress(std::u16string_view email);
