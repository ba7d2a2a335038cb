#include "scores/Cp932.h"

#include <cerrno>
#include <iconv.h>

namespace {

constexpr char kCp932[] = "CP932";
constexpr char kUtf8[] = "UTF-8";

// One conversion descriptor per call: iconv_t carries state and is not shared.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() { if (valid()) iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }
private:
    iconv_t cd_;
};

// Converts as much as possible. Returns the offset of the first byte that could
// not be converted (EILSEQ) or that starts an incomplete sequence (EINVAL),
// or in.size() when everything converted.
qsizetype convertRun(iconv_t cd, const char* in, qsizetype inSize, QByteArray& out)
{
    char* src = const_cast<char*>(in);
    size_t srcLeft = static_cast<size_t>(inSize);
    char buf[1024];
    while (srcLeft > 0) {
        char* dst = buf;
        size_t dstLeft = sizeof buf;
        const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, static_cast<qsizetype>(dst - buf));
        if (r == static_cast<size_t>(-1) && errno != E2BIG)
            return static_cast<qsizetype>(src - in);
    }
    // Flush any shift state (CP932 has none, but it is cheap to be correct).
    char* dst = buf;
    size_t dstLeft = sizeof buf;
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buf, static_cast<qsizetype>(dst - buf));
    return inSize;
}

QString decodeUnchecked(QByteArrayView bytes, bool* clean)
{
    if (clean)
        *clean = true;
    if (bytes.isEmpty())
        return {};
    Iconv cd(kUtf8, kCp932);
    if (!cd.valid()) {
        if (clean)
            *clean = false;
        return QString(bytes.size(), QChar::ReplacementCharacter);
    }
    QByteArray utf8;
    utf8.reserve(bytes.size() * 3 / 2 + 8);
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        pos += convertRun(cd.get(), bytes.data() + pos, bytes.size() - pos, utf8);
        if (pos < bytes.size()) {
            // Resynchronise on the next byte so that ASCII after a stray lead byte survives.
            utf8.append("\xEF\xBF\xBD");
            ++pos;
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
            if (clean)
                *clean = false;
        }
    }
    return QString::fromUtf8(utf8);
}

std::optional<QByteArray> encodeUnchecked(const QString& text)
{
    if (text.isEmpty())
        return QByteArray();
    Iconv cd(kCp932, kUtf8);
    if (!cd.valid())
        return std::nullopt;
    const QByteArray utf8 = text.toUtf8();
    QByteArray out;
    out.reserve(utf8.size());
    if (convertRun(cd.get(), utf8.constData(), utf8.size(), out) != utf8.size())
        return std::nullopt;
    // glibc also takes some look-alikes one way (U+00A5 to 0x5C, U+301C to 0x8160);
    // those would come back as other characters, so they do not count as storable.
    bool clean = false;
    if (decodeUnchecked(out, &clean) != text || !clean)
        return std::nullopt;
    return out;
}

bool selfCheck()
{
    // The points where the Microsoft table differs from its relatives, and the
    // NEC/IBM duplicates that read as one character.
    const QByteArray sample("\x1A\x1C\x7F\x5C\x7E\x81\x5F\x81\x60\x81\x61\x81\x7C\xED\x40\xFA\x5C");
    const QString expected = QString::fromUtf16(
        u"\u001A\u001C\u007F\u005C\u007E\uFF3C\uFF5E\u2225\uFF0D\u7E8A\u7E8A");
    bool clean = false;
    if (decodeUnchecked(sample, &clean) != expected || !clean)
        return false;
    const auto back = encodeUnchecked(QString::fromUtf16(u"\\~\uFF5E\u7E8A"));
    return back && *back == QByteArray("\x5C\x7E\x81\x60\xFA\x5C");
}

} // namespace

bool cp932Available()
{
    static const bool ok = selfCheck();
    return ok;
}

std::optional<QByteArray> encodeCp932(const QString& text)
{
    if (!cp932Available())
        return std::nullopt;
    return encodeUnchecked(text);
}

QString decodeCp932(QByteArrayView bytes, bool* clean)
{
    return decodeUnchecked(bytes, clean);
}

bool isCp932Storable(const QString& text)
{
    return encodeCp932(text).has_value();
}
