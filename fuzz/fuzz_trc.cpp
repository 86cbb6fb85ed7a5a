// PCAN-View traces as any file may hold them, read line by line as the trace reader does.

#include "fuzz/uFuzzTraceLines.h"
#include "trace/uTrcLines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzTraceLines<TTrcLines>(data, size);
    return 0;
}
