#include "formats/xml_stream.h"

#include <expat.h>

#include <cstring>
#include <exception>

#include "core/errors.h"

namespace qlnx {

namespace {
constexpr char kSeparator = '|';
}

std::string_view LocalName(const char* name) {
    const char* bar = std::strrchr(name, kSeparator);
    return bar != nullptr ? std::string_view(bar + 1) : std::string_view(name);
}

const char* XmlAttributes::Get(std::string_view localName) const {
    for (const char** p = pairs_; p[0] != nullptr; p += 2) {
        if (LocalName(p[0]) == localName) return p[1];
    }
    return nullptr;
}

struct XmlStream::State {
    XML_Parser parser = nullptr;
    Handlers handlers;
    std::string what;
    std::exception_ptr failure;

    void Run(const std::function<void()>& step) {
        if (failure) return;
        try {
            step();
        } catch (...) {
            failure = std::current_exception();
            XML_StopParser(parser, XML_FALSE);
        }
    }
};

XmlStream::XmlStream(Handlers handlers, std::string what) : state_(std::make_unique<State>()) {
    state_->handlers = std::move(handlers);
    state_->what = std::move(what);
    state_->parser = XML_ParserCreateNS(nullptr, kSeparator);
    if (state_->parser == nullptr) throw std::bad_alloc();
    XML_SetUserData(state_->parser, state_.get());
    XML_SetElementHandler(
        state_->parser,
        [](void* data, const XML_Char* name, const XML_Char** attributes) {
            auto* s = static_cast<State*>(data);
            if (!s->handlers.Start) return;
            s->Run([&] { s->handlers.Start(LocalName(name), XmlAttributes(attributes)); });
        },
        [](void* data, const XML_Char* name) {
            auto* s = static_cast<State*>(data);
            if (!s->handlers.End) return;
            s->Run([&] { s->handlers.End(LocalName(name)); });
        });
    XML_SetCharacterDataHandler(state_->parser, [](void* data, const XML_Char* text, int length) {
        auto* s = static_cast<State*>(data);
        if (!s->handlers.Text) return;
        s->Run([&] { s->handlers.Text(std::string_view(text, static_cast<size_t>(length))); });
    });
}

XmlStream::~XmlStream() { XML_ParserFree(state_->parser); }

void XmlStream::Feed(std::string_view piece) {
    // Pieces are at most the zip reader's buffer, far below INT_MAX.
    const XML_Status status =
        XML_Parse(state_->parser, piece.data(), static_cast<int>(piece.size()), XML_FALSE);
    if (state_->failure) std::rethrow_exception(state_->failure);
    if (status != XML_STATUS_OK) {
        throw Error("The workbook is damaged: " + state_->what + " is not well-formed XML (" +
                    XML_ErrorString(XML_GetErrorCode(state_->parser)) + " at line " +
                    std::to_string(XML_GetCurrentLineNumber(state_->parser)) + ").");
    }
}

void XmlStream::Finish() {
    const XML_Status status = XML_Parse(state_->parser, "", 0, XML_TRUE);
    if (state_->failure) std::rethrow_exception(state_->failure);
    if (status != XML_STATUS_OK) {
        throw Error("The workbook is damaged: " + state_->what + " is not well-formed XML (" +
                    XML_ErrorString(XML_GetErrorCode(state_->parser)) + ").");
    }
}

}  // namespace qlnx
