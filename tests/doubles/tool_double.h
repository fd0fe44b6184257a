#pragma once

// Shared pieces of the makesis/signsis stand-in (see main.cpp for what it does).

#include <cstdint>
#include <string>
#include <vector>

namespace double_tool {

// "MAKESIS" or "SIGNSIS", from the name the program was started under.
extern std::string g_tool;

// FAKE_<tool>_<key>, empty when not set.
std::string setting(const char* key);
long numberSetting(const char* key);
// FAKE_TOOLS=linux: print what the Linux builds of the tools print (makesis 4.0, signsis on
// OpenSSL 3); anything else: the Windows tools' texts.
bool linuxTools();

std::string readFile(const std::string& path);
bool isFile(const std::string& path);
// Standard output goes through stdio's buffer (flushed at exit, as the real tools' output is
// when it goes to a pipe); standard error is written at once.
void out(const std::string& text);
void err(const std::string& text);

// Without spaces, tabs and CRs around it.
std::string trim(const std::string& text);
// The parts of text between separators, trimmed.
std::vector<std::string> split(const std::string& text, char separator);
// Package files come as UTF-16LE with a byte order mark, or as UTF-8.
std::string packageText(const std::string& bytes);
std::vector<std::string> quotedStrings(const std::string& line);
// The number in the last "(0x...)" of the line, 0 without one.
uint32_t uidIn(const std::string& line);
uint32_t word(const std::string& bytes, size_t at);

inline constexpr uint32_t kSisUid1 = 0x10201A7A;
// A SIS file as far as the program reads it: UID 1, 2, 3 and a checksum word, then content.
std::string sisBytes(uint32_t uid, const std::string& content);
// What a file must hold to pass for a SIS file: 16 bytes at least and the SIS UID 1.
bool looksLikeSis(const std::string& bytes);

// Behaviour shared by both tools once their own work is done (filler output, a pause, killing
// the parent, no output file); writes bytes to output when code is 0. Returns code.
int finish(int code, const std::string& output, const std::string& bytes);

int makesisWindows(const std::vector<std::string>& args);
int makesisLinux(const std::vector<std::string>& args);
int signsis(const std::vector<std::string>& args);

} // namespace double_tool
