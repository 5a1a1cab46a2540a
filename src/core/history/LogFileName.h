#pragma once

#include <string>
#include <string_view>

// A name (a network, a channel, a nick) as one file or folder name that every
// file system takes and that names nothing else: "/", "\", the characters
// Windows refuses (":*?\"<>|"), control characters and "%" itself become
// "%XX" (the byte in hexadecimal); so do a leading "." (no "." or ".."), a
// trailing "." or blank, and the first letter of a name Windows reserves
// (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, also with an extension). Two
// different names never give the same file name; the empty name gives "%".
std::string SafeFileName(std::string_view name);

// The name SafeFileName made the file name of: every "%XX" back to its byte.
// A "%" not followed by two hexadecimal digits stays as it is.
std::string NameOfSafeFileName(std::string_view fileName);
