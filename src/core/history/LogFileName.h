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
