// Linux stand-ins for the standard dialogs: messages on standard error, a
// yes/no question on the terminal, no file dialog.
#include "ui/stddlg.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>

namespace meridan {

namespace {

void Show(const std::vector<Value>& args, const char* title) {
  MsgArgs m = ReadMsgArgs(args, title);
  std::fprintf(stderr, "%s: %s\n", m.title.c_str(), m.message.c_str());
  std::fflush(stderr);
}

// Code page 850, 0x80 to 0xFF, in Windows-1252; box drawing becomes
// + - | and shades #, as the Windows conversion's best fit does.
constexpr unsigned char kOem850[128] = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9, 0xFF, 0xD6, 0xDC, 0xF8, 0xA3, 0xD8, 0xD7, 0x83,
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA, 0xBF, 0xAE, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,
    0x23, 0x23, 0x23, 0x7C, 0x2B, 0xC1, 0xC2, 0xC0, 0xA9, 0x2B, 0x7C, 0x2B, 0x2B, 0xA2, 0xA5, 0x2B,
    0x2B, 0x2D, 0x2D, 0x2B, 0x2D, 0x2B, 0xE3, 0xC3, 0x2B, 0x2B, 0x2D, 0x2D, 0x2B, 0x2D, 0x2B, 0xA4,
    0xF0, 0xD0, 0xCA, 0xCB, 0xC8, 0x69, 0xCD, 0xCE, 0xCF, 0x2B, 0x2B, 0x23, 0x23, 0xA6, 0xCC, 0x23,
    0xD3, 0xDF, 0xD4, 0xD2, 0xF5, 0xD5, 0xB5, 0xFE, 0xDE, 0xDA, 0xDB, 0xD9, 0xFD, 0xDD, 0xAF, 0xB4,
    0xAD, 0xB1, 0x3D, 0xBE, 0xB6, 0xA7, 0xF7, 0xB8, 0xB0, 0xA8, 0xB7, 0xB9, 0xB3, 0xB2, 0x23, 0xA0,
};

}  // namespace

std::string cGetFile(const std::vector<Value>&) { return ""; }

void MsgInfo(const std::vector<Value>& args) { Show(args, "Information"); }
void MsgAlert(const std::vector<Value>& args) { Show(args, "Alert"); }
void MsgStop(const std::vector<Value>& args) { Show(args, "Stop"); }
void MsgAbout(const std::vector<Value>& args) { Show(args, "About"); }

bool MsgYesNo(const std::vector<Value>& args) {
  MsgArgs m = ReadMsgArgs(args, "Select an option");
  if (!isatty(STDIN_FILENO) || !isatty(STDERR_FILENO)) {
    std::fprintf(stderr, "%s: %s\n", m.title.c_str(), m.message.c_str());
    return false;
  }
  std::fprintf(stderr, "%s: %s [y/N] ", m.title.c_str(), m.message.c_str());
  std::fflush(stderr);
  std::string answer;
  if (!std::getline(std::cin, answer)) return false;
  return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y' || answer[0] == 'j' || answer[0] == 'J');
}

void MsgBeep() { MessageBeep(0); }

void MessageBeep(int) {
  if (isatty(STDERR_FILENO)) {
    std::fputc('\a', stderr);
    std::fflush(stderr);
  }
}

std::string OemToAnsi(const Value& text) {
  if (!text.IsText()) return "";
  std::string s = text.AsText();
  // Stops at the first NUL as the Windows conversion does; the length stays.
  for (auto& c : s) {
    auto b = static_cast<unsigned char>(c);
    if (b == 0) break;
    if (b >= 0x80) c = static_cast<char>(kOem850[b - 0x80]);
  }
  return s;
}

}  // namespace meridan
