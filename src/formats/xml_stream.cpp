#include "formats/xml_stream.h"

#include <expat.h>

#include <cstring>
#include <exception>

#include "core/errors.h"

namespace qlnx {

std::string_view LocalName(const char* name) {
    // Names are short ("c", "x:row", "table:table-cell"): the prefix ends at the first colon.
    const char* p = name;
    for (; *p != '\0'; ++p) {
        if (*p == ':') return std::string_view(p + 1);
    }
    return std::string_view(name, static_cast<size_t>(p - name));
}

const char* XmlAttributes::Get(std::string_view localName) const {
    for (const char** p = pairs_; p[0] != nullptr; p += 2) {
        // Namespace declarations (xmlns, xmlns:r) are no attributes of the element.
        if (std::strncmp(p[0], "xmlns", 5) == 0 && (p[0][5] == '\0' || p[0][5] == ':')) continue;
        if (LocalName(p[0]) == localName) return p[1];
    }
    return nullptr;
}

struct XmlStream::State {
    XML_Parser parser = nullptr;
    Handlers handlers;
    std::string what;
    std::exception_ptr failure;

    // Runs a handler; its exception stops the parse and is kept to be thrown from Feed.
    template <typename Step>
    void Run(const Step& step) {
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
    // Elements and attributes are told by their local names, whatever prefix a writer gave
    // them; expat's namespace processing (names rebuilt as "uri|local" for every element)
    // took a third of a large sheet's reading, so the prefix is only cut off.
    state_->parser = XML_ParserCreate(nullptr);
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
