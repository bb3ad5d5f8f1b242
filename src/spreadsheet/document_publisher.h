// Automation servers that keep their documents inside this process publish them when the
// export is over, since no spreadsheet window shows them while they are built.
#pragma once

namespace qlnx {

class DocumentPublisher {
public:
    // Writes every document built since the last call where the user gets it, and opens
    // it. Throws Error when a document cannot be written.
    virtual void PublishDocuments() = 0;

protected:
    ~DocumentPublisher() = default;
};

}  // namespace qlnx
