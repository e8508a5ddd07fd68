#include "textprep.h"

#include <array>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

#if defined(__SSE2__)
// Copies the run of plain bytes (from '"' to 'z', commas excluded) that starts at in[i], up
// to 16 bytes at once, while the output trails the input by at least 16 bytes so the store
// cannot overwrite unread text. Returns how many bytes it copied.
size_t copyPlainRun(const unsigned char* in, size_t i, size_t n, char* out, size_t outPos)
{
    if (i - outPos < 16)
        return 0;
    size_t copied = 0;
    while (n - i - copied >= 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + copied));
        const __m128i plain = _mm_andnot_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8(',')),
            _mm_and_si128(_mm_cmpgt_epi8(x, _mm_set1_epi8('!')), _mm_cmplt_epi8(x, _mm_set1_epi8('z' + 1))));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(plain));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + outPos + copied), x);
        if (mask != 0xFFFFu)
            return copied + static_cast<size_t>(__builtin_ctz(~mask));
        copied += 16;
    }
    return copied;
}
#else
size_t copyPlainRun(const unsigned char*, size_t, size_t, char*, size_t)
{
    return 0;
}
#endif

// How the first preparation step treats each byte outside a comment.
enum ByteKind : uint8_t { Plain, Blank, LineEnd, CommentStart, Comma };

constexpr std::array<uint8_t, 256> makeKinds()
{
    std::array<uint8_t, 256> kinds {};
    for (int b = 0; b < 256; ++b) {
        if (b == '\r' || b == '\n')
            kinds[b] = LineEnd;
        else if (b == '!' || b > 'z')
            kinds[b] = CommentStart;
        else if (b <= ' ')
            kinds[b] = Blank;
        else if (b == ',')
            kinds[b] = Comma;
        else
            kinds[b] = Plain;
    }
    return kinds;
}

constexpr std::array<uint8_t, 256> kKinds = makeKinds();

// Writes the prepared text to the front of the buffer in one pass. The first step drops
// comments, maps line ends to NUL, control bytes to blanks and commas to points, and keeps one
// byte of every run of blanks and of every run of line ends; each byte it keeps goes straight
// to the second step, which removes blanks and line ends at the start, after a line end and
// before a line end. The second step never writes ahead of the first, so both share the buffer.
// Everything lives in locals: writes through the char buffer could alias any member.
size_t prepare(char* b, size_t from, size_t n)
{
    const auto* in = reinterpret_cast<const unsigned char*>(b);
    size_t out = 0;
    // What the first step kept last: a plain byte, a blank or a line end.
    enum Kept { None, Text, Space, End } last = None;
    bool inComment = false;

    const auto keepSeparator = [&](Kept kind, char c) {
        if (last == kind)
            return;
        last = kind;
        if (out == 0 || b[out - 1] == 0)
            return;
        if (b[out - 1] == ' ') {
            b[out - 1] = 0;
            return;
        }
        b[out++] = c;
    };

    size_t i = from;
    while (i < n) {
        if (inComment) {
            while (i < n && in[i] != '\r' && in[i] != '\n')
                ++i;
            if (i == n)
                break;
            inComment = false;
        }
        if (kKinds[in[i]] == Plain) {
            const size_t run = copyPlainRun(in, i, n, b, out);
            i += run;
            out += run;
            while (i < n && kKinds[in[i]] == Plain)
                b[out++] = static_cast<char>(in[i++]);
            last = Text;
            continue;
        }
        const unsigned char byte = in[i++];
        switch (kKinds[byte]) {
        case LineEnd:
            // A line end closes a comment and still ends the line, whatever the line-end style.
            keepSeparator(End, 0);
            break;
        case CommentStart:
            inComment = true;
            break;
        case Blank:
            keepSeparator(Space, ' ');
            break;
        default:
            b[out++] = '.';
            last = Text;
            break;
        }
    }
    b[out] = 0;
    return out;
}

} // namespace

size_t normalizeText(char* buffer, size_t length)
{
    size_t from = 0;
    if (length >= 3 && static_cast<unsigned char>(buffer[0]) == 0xEF
        && static_cast<unsigned char>(buffer[1]) == 0xBB && static_cast<unsigned char>(buffer[2]) == 0xBF)
        from = 3;
    return prepare(buffer, from, length);
}
