// Vector ASC traces as any file may hold them, read line by line as the trace reader does.

#include "fuzz/uFuzzTraceLines.h"
#include "trace/uAscLines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzTraceLines<TAscLines>(data, size);
    return 0;
}
