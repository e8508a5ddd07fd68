#include "textprep.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

#if defined(__SSE2__)
// Copies the run that starts at in[i] and that the preparation keeps byte for byte: plain bytes
// (from '"' to 'z', commas excluded) and single blanks after a plain byte, 16 bytes at a time.
// afterText says whether the last byte kept before in[i] is a plain one. The output never runs
// ahead of the input, so a whole block may be stored over the bytes it was loaded from; a run
// that ends inside a block is stored whole only when the output trails the input by 16 bytes
// or more, since the store would otherwise overwrite unread text. Never reads at or past
// in + n. Returns how many bytes it copied.
size_t copyVerbatimRun(const unsigned char* in, size_t i, size_t n, char* out, size_t outPos, bool afterText)
{
    const size_t start = i;
    const size_t lag = i - outPos;
    while (n - i >= 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i plain = _mm_andnot_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8(',')),
            _mm_and_si128(_mm_cmpgt_epi8(x, _mm_set1_epi8('!')), _mm_cmplt_epi8(x, _mm_set1_epi8('z' + 1))));
        const auto plainBits = static_cast<unsigned>(_mm_movemask_epi8(plain));
        const auto blankBits
            = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(x, _mm_set1_epi8(' '))));
        const unsigned afterPlain = (plainBits << 1) | (afterText ? 1u : 0u);
        const unsigned kept = (plainBits | (blankBits & afterPlain)) & 0xFFFFu;
        char* const to = out + (i - lag);
        if (kept == 0xFFFFu) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to), x);
            afterText = (blankBits & 0x8000u) == 0;
            i += 16;
            continue;
        }
        const auto run = static_cast<size_t>(__builtin_ctz(~kept));
        if (lag >= 16)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to), x);
        else
            std::memmove(to, in + i, run);
        return i - start + run;
    }
    return i - start;
}
#else
size_t copyVerbatimRun(const unsigned char*, size_t, size_t, char*, size_t, bool)
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
        if (kKinds[in[i]] == Plain || (in[i] == ' ' && last == Text)) {
            const size_t run = copyVerbatimRun(in, i, n, b, out, last == Text);
            if (run > 0) {
                i += run;
                out += run;
                last = b[out - 1] == ' ' ? Space : Text;
            }
        }
        if (i < n && kKinds[in[i]] == Plain) {
            while (i < n && kKinds[in[i]] == Plain)
                b[out++] = static_cast<char>(in[i++]);
            last = Text;
            continue;
        }
        if (i == n)
            break;
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
