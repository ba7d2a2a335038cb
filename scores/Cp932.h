#pragma once
// Microsoft code page 932, the encoding of the names in BIMZO.DAT.
//
// Conversion goes through glibc iconv "CP932". ICU's "windows-31j" (what
// QStringEncoder offers) is IBM's 943 table, which swaps the control codes
// 0x1A, 0x1C and 0x7F; plain "SHIFT_JIS" differs at 0x5C, 0x7E and 0x815F-0x817C.
// Files written on Windows must come back with the same names, so neither will do.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// True when the converter exists and maps like Microsoft's table. Checked once.
bool cp932Available();

// The CP932 bytes of `text`, or nothing when a character has no CP932 form
// that reads back as the same character (an emoji, U+301C, a lone surrogate...).
std::optional<QByteArray> encodeCp932(const QString& text);

// Decodes CP932 bytes. A byte sequence that is not valid CP932 becomes U+FFFD
// and decoding goes on with the next byte; `clean` tells whether that happened.
QString decodeCp932(QByteArrayView bytes, bool* clean = nullptr);

// Whether `text` can be written as a name and read back unchanged.
bool isCp932Storable(const QString& text);
