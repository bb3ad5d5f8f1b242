// The displacement and the force as expressions over the record's channels, parsed and
// evaluated by muparser.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/channel_table.h"

namespace qlnx {

class ChannelExpression {
public:
    // Parses text over the channels' expression names and cN. what names the expression in
    // messages ("displacement"). Throws Error: an unknown name (with the channels there
    // are), an assignment, or muparser's reason.
    ChannelExpression(std::string_view what, const std::string& text,
                      const std::vector<Channel>& channels);
    ~ChannelExpression();
    ChannelExpression(ChannelExpression&&) noexcept;
    ChannelExpression& operator=(ChannelExpression&&) noexcept;

    // The channels the expression reads (0-based indices into the channel list), ascending.
    const std::vector<int>& UsedChannels() const { return used_; }

    // The value for one row: values holds a sample for every channel.
    double Evaluate(const std::vector<double>& values) const;

    // The values of rows rows at once: columns[i] points to channel i's samples (only the
    // used ones are read).
    void EvaluateRows(const std::vector<const double*>& columns, size_t rows, double* out);

    // The values of a block of rows, as EvaluateRows gives them: a single channel, the sum,
    // difference, product or quotient of two channels and a scaled channel are worked out
    // here with the arithmetic of muparser's bytecode for them; any other expression is
    // evaluated by muparser row by row.
    void EvaluateBlock(const std::vector<const double*>& columns, size_t rows, double* out);

    // Whether EvaluateBlock works the expression out without muparser's interpreter.
    bool WorkedOutDirectly() const { return form_ != Form::Muparser; }

private:
    // The forms read off muparser's bytecode that EvaluateBlock works out itself.
    enum class Form { Muparser, Channel, Add, Subtract, Multiply, Divide, Scaled };
    struct Parser;
    void ReadForm();
    std::unique_ptr<Parser> parser_;
    std::vector<int> used_;
    Form form_ = Form::Muparser;
    size_t a_ = 0;  // the form's channels
    size_t b_ = 0;
    double factor_ = 1;  // a scaled channel: a * factor + offset
    double offset_ = 0;
};

// Why text is no expression over the channels; empty when it is one.
std::string ExpressionProblem(std::string_view what, const std::string& text,
                              const std::vector<Channel>& channels);

}  // namespace qlnx
