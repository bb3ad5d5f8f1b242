#include "core/channel_expressions.h"

#include <muParser.h>

#include <algorithm>
#include <cctype>
#include <set>

#include "core/errors.h"

namespace qlnx {

namespace {

// Letters, digits and '_', and every byte of a multi-byte character, so that names in other
// scripts (时间) are names.
const std::string& NameChars() {
    static const std::string chars = [] {
        std::string s = "0123456789_abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
        for (int c = 0x80; c <= 0xFF; ++c) s += static_cast<char>(c);
        return s;
    }();
    return chars;
}

// An '=' that is not part of a comparison would write into a channel.
bool HasAssignment(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '=') continue;
        const char before = i > 0 ? text[i - 1] : ' ';
        const char after = i + 1 < text.size() ? text[i + 1] : ' ';
        if (after == '=') {
            ++i;
            continue;
        }
        if (before != '<' && before != '>' && before != '!') return true;
    }
    return false;
}

}  // namespace

struct ChannelExpression::Parser {
    mu::Parser parser;
    std::string text;
    std::vector<std::string> names;    // per channel, the name defined for it
    std::vector<std::string> aliases;  // per channel, its cN when that is no other's name
    mutable std::vector<double> scalars;
};

ChannelExpression::ChannelExpression(std::string_view what, const std::string& text,
                                     const std::vector<Channel>& channels)
    : parser_(std::make_unique<Parser>()) {
    const std::string prefix = "The " + std::string(what) + " expression '" + text + "': ";
    if (text.find_first_not_of(" \t") == std::string::npos) {
        throw Error("The " + std::string(what) + " expression is empty.");
    }
    if (HasAssignment(text)) throw Error(prefix + "'=' would assign; compare with '=='.");
    Parser& p = *parser_;
    p.text = text;
    p.scalars.assign(channels.size(), 0.0);
    p.names.resize(channels.size());
    p.aliases.resize(channels.size());
    std::set<std::string> taken;
    for (const Channel& channel : channels) taken.insert(channel.Symbol);
    try {
        p.parser.DefineNameChars(NameChars().c_str());
        for (size_t i = 0; i < channels.size(); ++i) {
            p.names[i] = channels[i].Symbol;
            p.parser.DefineVar(p.names[i], &p.scalars[i]);
            const std::string alias = "c" + std::to_string(channels[i].Column);
            if (taken.insert(alias).second) {
                p.aliases[i] = alias;
                p.parser.DefineVar(alias, &p.scalars[i]);
            }
        }
        p.parser.SetExpr(text);
        p.parser.Eval();
        const mu::varmap_type& usedVars = p.parser.GetUsedVar();
        for (size_t i = 0; i < channels.size(); ++i) {
            if (usedVars.count(p.names[i]) != 0 ||
                (!p.aliases[i].empty() && usedVars.count(p.aliases[i]) != 0)) {
                used_.push_back(static_cast<int>(i));
            }
        }
        ReadForm();
    } catch (const mu::Parser::exception_type& e) {
        if (e.GetCode() == mu::ecUNASSIGNABLE_TOKEN) {
            throw Error(prefix + "no channel is named '" + e.GetToken() + "'; the channels are " +
                        ChannelList(channels) + ".");
        }
        throw Error(prefix + e.GetMsg() + ".");
    }
}

ChannelExpression::~ChannelExpression() = default;
ChannelExpression::ChannelExpression(ChannelExpression&&) noexcept = default;
ChannelExpression& ChannelExpression::operator=(ChannelExpression&&) noexcept = default;

void ChannelExpression::ReadForm() {
    const Parser& p = *parser_;
    const mu::ParserByteCode& code = p.parser.GetByteCode();
    if (code.GetSize() != 2 && code.GetSize() != 4) return;
    const mu::SToken* tokens = code.GetBase();
    // The channel a variable token reads, or none.
    const auto channel = [&](const mu::SToken& token, size_t& c) {
        const double* first = p.scalars.data();
        if (token.Val.ptr < first || token.Val.ptr >= first + p.scalars.size()) return false;
        c = static_cast<size_t>(token.Val.ptr - first);
        return true;
    };
    if (code.GetSize() == 2 && tokens[1].Cmd == mu::cmEND && channel(tokens[0], a_)) {
        if (tokens[0].Cmd == mu::cmVAR) {
            form_ = Form::Channel;
        } else if (tokens[0].Cmd == mu::cmVARMUL) {
            form_ = Form::Scaled;
            factor_ = tokens[0].Val.data;
            offset_ = tokens[0].Val.data2;
        }
        return;
    }
    if (code.GetSize() != 4 || tokens[3].Cmd != mu::cmEND || tokens[0].Cmd != mu::cmVAR ||
        tokens[1].Cmd != mu::cmVAR || !channel(tokens[0], a_) || !channel(tokens[1], b_)) {
        return;
    }
    switch (tokens[2].Cmd) {
        case mu::cmADD: form_ = Form::Add; break;
        case mu::cmSUB: form_ = Form::Subtract; break;
        case mu::cmMUL: form_ = Form::Multiply; break;
        case mu::cmDIV: form_ = Form::Divide; break;
        default: break;
    }
}

void ChannelExpression::EvaluateBlock(const std::vector<const double*>& columns, size_t rows,
                                      double* out) {
    const double* a = columns[a_];
    const double* b = columns[b_];
    switch (form_) {
        case Form::Channel: std::copy(a, a + rows, out); return;
        case Form::Add:
            for (size_t i = 0; i < rows; ++i) out[i] = a[i] + b[i];
            return;
        case Form::Subtract:
            for (size_t i = 0; i < rows; ++i) out[i] = a[i] - b[i];
            return;
        case Form::Multiply:
            for (size_t i = 0; i < rows; ++i) out[i] = a[i] * b[i];
            return;
        case Form::Divide:
            for (size_t i = 0; i < rows; ++i) out[i] = a[i] / b[i];
            return;
        case Form::Scaled:
            for (size_t i = 0; i < rows; ++i) out[i] = a[i] * factor_ + offset_;
            return;
        case Form::Muparser: break;
    }
    Parser& p = *parser_;
    for (size_t i = 0; i < rows; ++i) {
        for (const int c : used_) {
            p.scalars[static_cast<size_t>(c)] = columns[static_cast<size_t>(c)][i];
        }
        out[i] = p.parser.Eval();
    }
}

double ChannelExpression::Evaluate(const std::vector<double>& values) const {
    Parser& p = *parser_;
    std::copy(values.begin(), values.end(), p.scalars.begin());
    return p.parser.Eval();
}

void ChannelExpression::EvaluateRows(const std::vector<const double*>& columns, size_t rows,
                                     double* out) {
    if (rows == 0) return;
    Parser& p = *parser_;
    // In bulk mode muparser reads a variable at its address plus the row: each used channel
    // is defined at its column for the run, and back at its scalar after it.
    for (const int i : used_) {
        auto* column = const_cast<double*>(columns[static_cast<size_t>(i)]);
        p.parser.DefineVar(p.names[static_cast<size_t>(i)], column);
        if (!p.aliases[static_cast<size_t>(i)].empty()) {
            p.parser.DefineVar(p.aliases[static_cast<size_t>(i)], column);
        }
    }
    p.parser.SetExpr(p.text);
    // muparser counts rows in an int: long records go in pieces.
    constexpr size_t kPiece = size_t{1} << 30;
    for (size_t done = 0; done < rows; done += kPiece) {
        const size_t n = std::min(kPiece, rows - done);
        if (done > 0) {
            for (const int i : used_) {
                auto* column = const_cast<double*>(columns[static_cast<size_t>(i)]) + done;
                p.parser.DefineVar(p.names[static_cast<size_t>(i)], column);
                if (!p.aliases[static_cast<size_t>(i)].empty()) {
                    p.parser.DefineVar(p.aliases[static_cast<size_t>(i)], column);
                }
            }
            p.parser.SetExpr(p.text);
        }
        p.parser.Eval(out + done, static_cast<int>(n));
    }
    for (const int i : used_) {
        double* scalar = &p.scalars[static_cast<size_t>(i)];
        p.parser.DefineVar(p.names[static_cast<size_t>(i)], scalar);
        if (!p.aliases[static_cast<size_t>(i)].empty()) {
            p.parser.DefineVar(p.aliases[static_cast<size_t>(i)], scalar);
        }
    }
    p.parser.SetExpr(p.text);
}

std::string ExpressionProblem(std::string_view what, const std::string& text,
                              const std::vector<Channel>& channels) {
    try {
        ChannelExpression expression(what, text, channels);
    } catch (const Error& e) {
        return e.what();
    }
    return {};
}

}  // namespace qlnx
