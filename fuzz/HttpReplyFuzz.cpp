#include "platform/UrlReader.h"
#include "platform/qt/HttpReplyReader.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using dorvex::HttpReplyReader;

// What a reply made of the bytes: it must not depend on how the network cut them.
struct Outcome {
    HttpReplyReader::State state;
    HttpReplyReader::Fault fault;
    bool headComplete;
    int status;
    std::string location, body;
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

Outcome read(const std::vector<std::string>& pieces, bool closed) {
    HttpReplyReader reply;
    for (const std::string& piece : pieces) {
        reply.take(piece);
    }
    if (closed) {
        reply.closed();
    }
    return {reply.state(),  reply.fault(),    reply.headComplete(),
            reply.status(), reply.location(), reply.body()};
}

} // namespace

// A server's reply in pieces of any size: taken whole or in those pieces it reads the same, and
// its body never grows past the bound.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool closed = input.ConsumeBool();
    std::vector<std::string> pieces;
    std::string whole;
    while (input.remaining_bytes() > 0) {
        pieces.push_back(input.ConsumeRandomLengthString(512));
        whole += pieces.back();
    }
    const Outcome inPieces = read(pieces, closed);
    if (inPieces != read({whole}, closed) || inPieces.body.size() > dorvex::MaxUrlReadBytes ||
        (inPieces.state == HttpReplyReader::State::Failed) ==
            (inPieces.fault == HttpReplyReader::Fault::None)) {
        std::abort();
    }
    return 0;
}
