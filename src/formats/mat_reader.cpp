#include "formats/mat_reader.h"

#include <matio.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/errors.h"
#include "formats/sheet_text.h"

namespace qlnx {

namespace {

struct MatClose {
    void operator()(mat_t* mat) const { Mat_Close(mat); }
};
struct VarFree {
    void operator()(matvar_t* var) const { Mat_VarFree(var); }
};
using MatFile = std::unique_ptr<mat_t, MatClose>;
using MatVar = std::unique_ptr<matvar_t, VarFree>;

// matio reports damage through its log; the message the user sees is ours.
void QuietLog(int, char*) {}

struct MatColumn {
    std::string Name;
    std::vector<double> Values;
};

std::string_view ClassName(matio_classes type) {
    switch (type) {
        case MAT_C_CELL: return "a cell array";
        case MAT_C_STRUCT: return "a struct";
        case MAT_C_OBJECT: return "an object";
        case MAT_C_CHAR: return "text";
        case MAT_C_SPARSE: return "a sparse matrix";
        case MAT_C_FUNCTION: return "a function handle";
        case MAT_C_OPAQUE: return "an opaque object";
        case MAT_C_EMPTY: return "empty";
        default: return "numeric";
    }
}

template <typename T>
double At(const matvar_t& var, size_t i) {
    return static_cast<double>(static_cast<const T*>(var.data)[i]);
}

double Value(const matvar_t& var, size_t i) {
    switch (var.class_type) {
        case MAT_C_DOUBLE: return At<double>(var, i);
        case MAT_C_SINGLE: return At<float>(var, i);
        case MAT_C_INT8: return At<int8_t>(var, i);
        case MAT_C_UINT8: return At<uint8_t>(var, i);
        case MAT_C_INT16: return At<int16_t>(var, i);
        case MAT_C_UINT16: return At<uint16_t>(var, i);
        case MAT_C_INT32: return At<int32_t>(var, i);
        case MAT_C_UINT32: return At<uint32_t>(var, i);
        case MAT_C_INT64: return At<int64_t>(var, i);
        case MAT_C_UINT64: return At<uint64_t>(var, i);
        default: return 0;
    }
}

bool IsNumeric(const matvar_t& var) {
    return var.class_type >= MAT_C_DOUBLE && var.class_type <= MAT_C_UINT64 && !var.isComplex &&
           !var.isLogical && var.data != nullptr && var.rank == 2;
}

// Appends the columns of a variable (and of a struct's fields, by their dotted names); the
// reason a variable gives none goes to why.
void Collect(const matvar_t& var, const std::string& name, std::vector<MatColumn>& columns,
             std::string& why) {
    if (var.class_type == MAT_C_STRUCT) {
        size_t elements = 1;
        for (int d = 0; d < var.rank; ++d) elements *= var.dims[d];
        if (elements != 1) {
            why = "a struct array";
            return;
        }
        const unsigned count = Mat_VarGetNumberOfFields(const_cast<matvar_t*>(&var));
        char* const* fields = Mat_VarGetStructFieldnames(&var);
        for (unsigned f = 0; f < count; ++f) {
            const matvar_t* field = Mat_VarGetStructFieldByIndex(const_cast<matvar_t*>(&var), f, 0);
            if (field != nullptr && fields != nullptr) {
                Collect(*field, name + "." + fields[f], columns, why);
            }
        }
        if (count == 0) why = "an empty struct";
        return;
    }
    if (var.isComplex) {
        why = "complex";
        return;
    }
    if (var.isLogical) {
        why = "logical";
        return;
    }
    if (!IsNumeric(var)) {
        why = var.rank != 2 && var.class_type >= MAT_C_DOUBLE
                  ? "an array of more than two dimensions"
                  : std::string(ClassName(var.class_type));
        return;
    }
    const size_t rows = var.dims[0];
    const size_t cols = var.dims[1];
    if (rows == 0 || cols == 0) {
        why = "empty";
        return;
    }
    if (rows == 1 || cols == 1) {
        MatColumn column{name, {}};
        column.Values.resize(rows * cols);
        for (size_t i = 0; i < rows * cols; ++i) column.Values[i] = Value(var, i);
        columns.push_back(std::move(column));
        return;
    }
    // Column-major: column k holds elements k*rows ... k*rows + rows - 1.
    for (size_t k = 0; k < cols; ++k) {
        MatColumn column{name + "(:," + std::to_string(k + 1) + ")", {}};
        column.Values.resize(rows);
        for (size_t i = 0; i < rows; ++i) column.Values[i] = Value(var, k * rows + i);
        columns.push_back(std::move(column));
    }
}

std::string NameList(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
    return list;
}

}  // namespace

RecordText ReadMat(const std::string& path, const RecordChoice& choice) {
    Mat_LogInitFunc("qlnx", QuietLog);
    MatFile mat(Mat_Open(path.c_str(), MAT_ACC_RDONLY));
    if (!mat) {
        throw Error(
            "The MATLAB file cannot be read: it is damaged or of a version matio does "
            "not read.");
    }
    std::vector<std::string> names;
    while (true) {
        MatVar info(Mat_VarReadNextInfo(mat.get()));
        if (!info) break;
        if (info->name != nullptr) names.emplace_back(info->name);
    }
    RecordText record;
    record.PartsTitle = "Variables";
    record.Parts = names;
    if (names.empty()) throw Error("The MATLAB file holds no variable.");

    std::vector<MatColumn> columns;
    if (!choice.Variable.empty()) {
        const std::string top = choice.Variable.substr(0, choice.Variable.find('.'));
        if (std::find(names.begin(), names.end(), top) == names.end()) {
            throw Error("The MATLAB file has no variable '" + choice.Variable +
                        "'; its variables are " + NameList(names) + ".");
        }
        MatVar var(Mat_VarRead(mat.get(), top.c_str()));
        if (!var) throw Error("The MATLAB variable '" + top + "' cannot be read: it is damaged.");
        const matvar_t* chosen = var.get();
        std::string name = top;
        for (size_t at = top.size(); at < choice.Variable.size();) {
            const size_t next = std::min(choice.Variable.find('.', at + 1), choice.Variable.size());
            const std::string field = choice.Variable.substr(at + 1, next - at - 1);
            const matvar_t* inner =
                chosen->class_type == MAT_C_STRUCT
                    ? Mat_VarGetStructFieldByName(const_cast<matvar_t*>(chosen), field.c_str(), 0)
                    : nullptr;
            if (inner == nullptr) {
                throw Error("The MATLAB variable '" + name + "' has no field '" + field + "'.");
            }
            chosen = inner;
            name += "." + field;
            at = next;
        }
        std::string why;
        Collect(*chosen, name, columns, why);
        if (columns.empty()) {
            throw Error("The MATLAB variable '" + name + "' is not numeric: it is " + why + ".");
        }
        record.Chosen = name;
    } else {
        for (const std::string& name : names) {
            MatVar var(Mat_VarRead(mat.get(), name.c_str()));
            if (!var) continue;
            std::string why;
            Collect(*var, name, columns, why);
        }
        if (columns.empty()) {
            throw Error("The MATLAB file holds no numeric variable (variables " + NameList(names) +
                        ").");
        }
    }

    // The record's length is that of the first column of more than one sample; single values
    // go to the metadata, columns of another length are left out and named there.
    size_t length = 0;
    for (const MatColumn& column : columns) {
        if (column.Values.size() > 1) {
            length = column.Values.size();
            break;
        }
    }
    if (length == 0) length = 1;
    std::vector<const MatColumn*> kept;
    std::vector<std::string> leftOut;
    for (const MatColumn& column : columns) {
        if (column.Values.size() == length) {
            kept.push_back(&column);
        } else if (column.Values.size() == 1) {
            record.Metadata.emplace_back(column.Name, ShortestNumberText(column.Values[0]));
        } else {
            leftOut.push_back(column.Name + " (" + std::to_string(column.Values.size()) +
                              " samples)");
        }
    }
    record.Metadata.insert(record.Metadata.begin(), {"Variables", NameList(names)});
    if (!leftOut.empty()) record.Metadata.emplace_back("Left out", NameList(leftOut));

    uint64_t used = 0;
    for (const MatColumn* column : kept) {
        record.Names.push_back(column->Name);
        record.Units.emplace_back();
    }
    record.DataLine = 1;
    for (size_t i = 0; i < length; ++i) {
        for (size_t c = 0; c < kept.size(); ++c) {
            if (c != 0) record.Text += ';';
            record.Text += ShortestNumberText(kept[c]->Values[i]);
        }
        record.Text += '\n';
        if (record.Text.size() > used + (uint64_t{1} << 20)) {
            used = record.Text.size();
            if (used > choice.MemoryLimit)
                throw Error("The MATLAB variables are too large to read.");
        }
    }
    return record;
}

}  // namespace qlnx
