// Any bytes as a timing system's race file through the reader: the encodings, the header,
// the place lines and their times. It reads the race or refuses with its reason, and never
// crashes, hangs or throws.

#include "publish/liffile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const publish::LifRead read = publish::parseLif(bytes);
    // Read, or refused with a reason: never both, never neither.
    if (read.ok == !read.refusal.isEmpty())
        std::abort();
    if (read.ok) {
        int previous = 0;
        for (const publish::LifLine& line : read.race.lines) {
            if (line.lineNo <= previous || line.seconds < 0)
                std::abort();
            previous = line.lineNo;
        }
    }
    return 0;
}
