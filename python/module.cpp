// The Python module qlnx: binds python/record.h and the core's tables; numpy arrays view the
// core's vectors.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cli/batch_options.h"
#include "core/evaluation_tables.h"
#include "core/skeleton_methods.h"
#include "python/record.h"

namespace py = pybind11;
using qlnx::AnalysisState;
using qlnx::EvaluationTable;
using qlnx::TableValue;
using qlnx::TestEvaluation;
using qlnx::python::Record;

namespace {

// The module's exception classes, made once when the module is imported.
PyObject* g_error = nullptr;
PyObject* g_importError = nullptr;
PyObject* g_analysisError = nullptr;

// A read-only array over a vector of the state; the array keeps the state alive.
template <typename T>
py::array View(const std::shared_ptr<const AnalysisState>& state, const std::vector<T>& values) {
    auto* keep = new std::shared_ptr<const AnalysisState>(state);
    py::capsule base(keep,
                     [](void* p) { delete static_cast<std::shared_ptr<const AnalysisState>*>(p); });
    py::array_t<T> array({values.size()}, {sizeof(T)}, values.data(), base);
    py::detail::array_proxy(array.ptr())->flags &= ~py::detail::npy_api::NPY_ARRAY_WRITEABLE_;
    return array;
}

using VectorOf = const std::vector<double>& (*)(const AnalysisState&);
using IndexVectorOf = const std::vector<int32_t>& (*)(const AnalysisState&);

py::tuple SeriesView(const Record& record, int series) {
    const auto state = record.State();
    const qlnx::ChartSeries& s = state->Chart.GetSeries(series);
    return py::make_tuple(View(state, s.XValues()), View(state, s.YValues()));
}

py::object CellObject(const TableValue& value) {
    switch (value.Type) {
        case TableValue::Kind::Null: return py::none();
        case TableValue::Kind::Integer: return py::int_(static_cast<long long>(value.Number));
        case TableValue::Kind::Number: return py::float_(value.Number);
        case TableValue::Kind::Flag: return py::bool_(value.Flag);
        case TableValue::Kind::Word: return py::str(value.Word);
    }
    return py::none();
}

py::list TableDicts(const EvaluationTable& table) {
    py::list rows;
    for (const auto& row : table.Rows) {
        py::dict d;
        for (size_t c = 0; c < table.Header.size() && c < row.size(); ++c) {
            d[py::str(table.Header[c])] = CellObject(row[c]);
        }
        rows.append(std::move(d));
    }
    return rows;
}

// A column's numpy type: counts as int64, numbers as float64 (nan for an empty cell), flags as
// bool, anything else (words, flags with empty cells) as objects.
std::string ColumnType(const EvaluationTable& table, size_t column) {
    bool integer = true, number = true, flag = true, hasNull = false;
    for (const auto& row : table.Rows) {
        const TableValue::Kind kind = row[column].Type;
        hasNull |= kind == TableValue::Kind::Null;
        integer &= kind == TableValue::Kind::Integer;
        number &= kind == TableValue::Kind::Integer || kind == TableValue::Kind::Number ||
                  kind == TableValue::Kind::Null;
        flag &= kind == TableValue::Kind::Flag;
    }
    if (integer && !table.Rows.empty()) return "i8";
    if (flag && !hasNull && !table.Rows.empty()) return "?";
    if (number) return "f8";
    return "O";
}

py::object TableArray(const EvaluationTable& table) {
    py::list dtype;
    std::vector<std::string> types;
    for (size_t c = 0; c < table.Header.size(); ++c) {
        types.push_back(ColumnType(table, c));
        dtype.append(py::make_tuple(table.Header[c], types.back()));
    }
    py::list rows;
    for (const auto& row : table.Rows) {
        py::tuple cells(table.Header.size());
        for (size_t c = 0; c < table.Header.size(); ++c) {
            const bool nan = types[c] == "f8" && row[c].Type == TableValue::Kind::Null;
            cells[c] = nan ? py::float_(std::nan("")) : CellObject(row[c]);
        }
        rows.append(std::move(cells));
    }
    return py::module_::import("numpy").attr("array")(rows, py::arg("dtype") = dtype);
}

std::optional<std::string> DirectionName(std::optional<qlnx::LoopDirection> direction) {
    if (!direction) return std::nullopt;
    return *direction == qlnx::LoopDirection::Negative ? "negative" : "positive";
}

void RaiseWithAttributes(PyObject* type, const std::string& message,
                         const std::vector<std::pair<const char*, py::object>>& attributes) {
    py::object error = py::reinterpret_borrow<py::object>(type)(message);
    for (const auto& [name, value] : attributes) error.attr(name) = value;
    PyErr_SetObject(type, error.ptr());
}

py::object OptionalInt(const std::optional<int64_t>& value) {
    return value ? py::object(py::int_(*value)) : py::object(py::none());
}

}  // namespace

PYBIND11_MODULE(qlnx, m) {
    m.doc() =
        "QLNX from Python: import a force-displacement record of a cyclic loading test, split it\n"
        "into loops, extract and thin its skeleton curve and evaluate the test, with the same\n"
        "core and the same options as the qlnx-batch tool.\n\n"
        "    import qlnx\n"
        "    record = qlnx.read('rc_column_cyclic.csv', first_line=2)\n"
        "    record.analyze(noise_band=0.0, direction='auto')\n"
        "    record.skeleton(method='envelope-force')\n"
        "    evaluation = record.evaluate(preset='jgj')\n"
        "    d, F = record.positive_skeleton          # read-only numpy views\n"
        "    evaluation.loops.to_numpy()              # a numpy structured array\n\n"
        "Keyword arguments carry the names of qlnx-batch's flags (--noise-band is noise_band) and\n"
        "take the same values; record.to_json() is what qlnx-batch --json prints for the same\n"
        "steps. The long calls release the GIL, so several records can be worked on in threads.";

    g_error = PyErr_NewExceptionWithDoc("qlnx.Error", "Base of the errors of qlnx.",
                                        PyExc_Exception, nullptr);
    g_importError = PyErr_NewExceptionWithDoc(
        "qlnx.ImportError",
        "A record that does not import. str() holds the messages the window shows; .message the "
        "first, .messages all, .line the file line of the failure (or None), "
        ".suggested_first_line the line the data seem to start at (or None).",
        g_error, nullptr);
    g_analysisError = PyErr_NewExceptionWithDoc(
        "qlnx.AnalysisError",
        "A step the record cannot take (too few points, a noise band that is not a number, a "
        "step before analyze()), with the program's message.",
        g_error, nullptr);
    m.add_object("Error", py::handle(g_error));
    m.add_object("ImportError", py::handle(g_importError));
    m.add_object("AnalysisError", py::handle(g_analysisError));

    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const qlnx::python::RecordImportError& e) {
            RaiseWithAttributes(
                g_importError, e.what(),
                {{"message", e.Messages.empty() ? py::object(py::str(""))
                                                : py::object(py::str(e.Messages[0]))},
                 {"messages", py::cast(e.Messages)},
                 {"line", OptionalInt(e.Line)},
                 {"suggested_first_line", OptionalInt(e.SuggestedFirstLine)}});
        } catch (const qlnx::python::RecordAnalysisError& e) {
            RaiseWithAttributes(g_analysisError, e.what(), {{"message", py::str(e.what())}});
        } catch (const qlnx::python::RecordOptionError& e) {
            PyErr_SetString(PyExc_ValueError, e.what());
        }
    });

    py::list methods;
    for (const qlnx::SkeletonMethodRow& row : qlnx::SkeletonMethods()) {
        methods.append(py::str(std::string(row.BatchName)));
    }
    m.attr("SKELETON_METHODS") = py::tuple(methods);

    py::class_<EvaluationTable, std::shared_ptr<EvaluationTable>>(
        m, "Table", "A table of the evaluation or of the loops: a title, columns and rows.")
        .def_property_readonly(
            "title", [](const EvaluationTable& t) { return t.Title; }, "The table's title.")
        .def_property_readonly(
            "columns", [](const EvaluationTable& t) { return t.Header; },
            "The column names, in order (a point is two columns, '<name> d' and '<name> F').")
        .def("__len__", [](const EvaluationTable& t) { return t.Rows.size(); })
        .def("to_dicts", &TableDicts,
             "The rows as a list of dicts, column name to value; an empty cell is None.")
        .def("to_numpy", &TableArray,
             "The rows as a numpy structured array, one field per column: counts int64, numbers "
             "float64 (nan for an empty cell), flags bool, other columns objects.")
        .def("__repr__", [](const EvaluationTable& t) {
            return "<qlnx.Table '" + t.Title + "' " + std::to_string(t.Rows.size()) + " rows>";
        });

    py::class_<TestEvaluation, std::shared_ptr<TestEvaluation>>(
        m, "Evaluation",
        "The test evaluation: energy, damping, stiffness and strength per loop and per level, "
        "yield points and ductility of each skeleton branch.")
        .def_property_readonly(
            "loops",
            [](const TestEvaluation& e) {
                return std::make_shared<EvaluationTable>(qlnx::LoopTable(e));
            },
            "Per-loop quantities (Table).")
        .def_property_readonly(
            "levels",
            [](const TestEvaluation& e) {
                return std::make_shared<EvaluationTable>(qlnx::LevelTable(e));
            },
            "Amplitude levels (Table).")
        .def_property_readonly(
            "skeleton",
            [](const TestEvaluation& e) {
                return std::make_shared<EvaluationTable>(qlnx::SkeletonTable(e.Skeleton));
            },
            "Peak, ultimate and yield points with ductility and stiffness of each branch (Table).")
        .def_property_readonly(
            "options",
            [](const TestEvaluation& e) {
                py::dict d;
                d["noise_band"] = e.Options.NoiseBand;
                d["ultimate_ratio"] = e.Options.UltimateRatio;
                d["peak_point"] = std::string(qlnx::PeakPointName(e.Options.PeakPoint));
                d["level_tolerance"] = e.Options.LevelTolerance;
                return d;
            },
            "The options the evaluation ran with.");

    py::class_<Record>(m, "Record",
                       "A force-displacement record: its samples, loops, skeleton curve and "
                       "evaluation. Arrays are read-only numpy views that share the record's "
                       "memory and stay valid after the record is gone; a later step of the "
                       "record does not change them.")
        .def(py::init([](const py::array_t<double, py::array::forcecast>& disp,
                         const py::array_t<double, py::array::forcecast>& force,
                         const std::string& name) {
                 if (disp.ndim() != 1 || force.ndim() != 1) {
                     throw py::value_error("disp and force must be one-dimensional");
                 }
                 std::vector<double> d(static_cast<size_t>(disp.shape(0)));
                 std::vector<double> f(static_cast<size_t>(force.shape(0)));
                 const auto dv = disp.unchecked<1>();
                 const auto fv = force.unchecked<1>();
                 for (size_t i = 0; i < d.size(); ++i) d[i] = dv(static_cast<py::ssize_t>(i));
                 for (size_t i = 0; i < f.size(); ++i) f[i] = fv(static_cast<py::ssize_t>(i));
                 py::gil_scoped_release release;
                 return std::make_unique<Record>(std::move(d), std::move(f), name);
             }),
             py::arg("disp"), py::arg("force"), py::arg("name") = "",
             "Record(disp, force, name='') -> Record\n\n"
             "A record of the displacements and forces in two array-likes of equal length (values "
             "copied). Raises qlnx.ImportError when the lengths differ or a value is not finite.")
        .def(
            "analyze", &Record::Analyze, py::arg("noise_band") = 0.0,
            py::arg("direction") = "positive", py::call_guard<py::gil_scoped_release>(),
            "analyze(noise_band=0.0, direction='positive')\n\n"
            "Splits the record into loops. With noise_band 0 every passage through the first "
            "displacement starts a half-cycle; above 0 only one that crosses the band +-noise_band "
            "around it. direction ('positive', 'negative' or 'auto': the side the record loads "
            "towards first) is the one the skeleton curve is extracted for. Clears the skeleton "
            "and the evaluation. Raises qlnx.AnalysisError (e.g. fewer than four points) and "
            "ValueError for a value qlnx-batch refuses.")
        .def(
            "skeleton",
            [](Record& r, const py::object& method, bool keepDispIncreasing, bool keepIncreasing) {
                const std::string name = py::str(method);
                py::gil_scoped_release release;
                r.Skeleton(name, keepDispIncreasing || keepIncreasing);
            },
            py::arg("method") = "envelope-force", py::arg("keep_disp_increasing") = false,
            py::arg("keep_increasing") = false,
            "skeleton(method='envelope-force', keep_disp_increasing=False)\n\n"
            "Extracts both skeleton branches with a method of qlnx.SKELETON_METHODS (a name or "
            "its number from 1); keep_disp_increasing (or keep_increasing) keeps only points that "
            "go further out. Needs analyze() first.")
        .def("thin", &Record::Thin, py::arg("lo"), py::arg("hi"), py::arg("tol"),
             py::call_guard<py::gil_scoped_release>(),
             "thin(lo, hi, tol)\n\n"
             "Thins both skeleton branches: inside lo < d < hi a point is kept only when its "
             "displacement is more than |tol| from the last kept one.")
        .def(
            "evaluate",
            [](Record& r, std::optional<std::string> preset, std::optional<double> ultimateRatio,
               std::string peakPoint, double levelTolerance) {
                qlnx::python::EvaluateOptions o{std::move(preset), ultimateRatio,
                                                std::move(peakPoint), levelTolerance};
                py::gil_scoped_release release;
                return std::const_pointer_cast<TestEvaluation>(r.Evaluate(o));
            },
            py::arg("preset") = py::none(), py::arg("ultimate_ratio") = py::none(),
            py::arg("peak_point") = "displacement", py::arg("level_tolerance") = 0.1,
            "evaluate(preset=None, ultimate_ratio=None, peak_point='displacement', "
            "level_tolerance=0.1) -> Evaluation\n\n"
            "Evaluates the test from the loops and the skeleton curve as they stand. preset "
            "('jgj', 'en12512', 'astm') sets the ultimate ratio (0.85 without one); an explicit "
            "ultimate_ratio wins over it. peak_point is 'displacement' or 'force'. Needs "
            "analyze() first.")
        .def("to_json", &Record::Json, py::call_guard<py::gil_scoped_release>(),
             "to_json() -> str\n\n"
             "The JSON object qlnx-batch --json prints for the same steps and options.")
        .def(
            "loop_table",
            [](const Record& r) {
                return std::make_shared<EvaluationTable>(r.LoopExtremesTable());
            },
            "loop_table() -> Table\n\nThe loop number and the extremes of each loop.")
        .def_property_readonly(
            "evaluation",
            [](const Record& r) { return std::const_pointer_cast<TestEvaluation>(r.Evaluation()); },
            "The last evaluate()'s result, None when there is none or a later step changed the "
            "record.")
        .def_property_readonly(
            "file_name", [](const Record& r) { return r.State()->FileNameText; },
            "The record's file (or the name given to Record).")
        .def_property_readonly(
            "loop_count", [](const Record& r) { return r.State()->LoopCount; },
            "The number of loops of the analysis (0 before it).")
        .def_property_readonly("analysed", &Record::Analysed, "True after a successful analyze().")
        .def_property_readonly("noise_band", &Record::NoiseBand, "The noise band of the analysis.")
        .def_property_readonly(
            "direction", [](const Record& r) { return *DirectionName(r.Direction()); },
            "The loop direction the skeleton is extracted for ('auto' resolved).")
        .def_property_readonly("messages", &Record::Messages,
                               "The messages of the import (only with partial=True).")
        .def_property_readonly(
            "loads_first", [](const Record& r) { return DirectionName(r.Findings().LoadsFirst); },
            "The side the record loads towards first, 'positive', 'negative' or None.")
        .def_property_readonly(
            "suggested_noise_band", [](const Record& r) { return r.Findings().SuggestedNoiseBand; },
            "The noise band suggested for a record whose loops are mostly noise, or None.")
        .def_property_readonly(
            "positive_skeleton",
            [](const Record& r) { return SeriesView(r, qlnx::ChartModel::PositiveSkeletonSeries); },
            "(disp, force) of the positive skeleton branch, read-only arrays.")
        .def_property_readonly(
            "negative_skeleton",
            [](const Record& r) { return SeriesView(r, qlnx::ChartModel::NegativeSkeletonSeries); },
            "(disp, force) of the negative skeleton branch, read-only arrays.")
        .def("__repr__", [](const Record& r) {
            const auto s = r.State();
            return "<qlnx.Record '" + s->FileNameText + "' " + std::to_string(s->RawDisp.size()) +
                   " samples, " + std::to_string(s->LoopCount) + " loops>";
        });

    // The state's vectors, one read-only view each.
    auto cls = py::reinterpret_borrow<py::class_<Record>>(m.attr("Record"));
    const struct {
        const char* name;
        VectorOf of;
        const char* doc;
    } doubles[] = {
        {"raw_disp", [](const AnalysisState& s) -> const std::vector<double>& { return s.RawDisp; },
         "Imported displacements, one per sample."},
        {"raw_force",
         [](const AnalysisState& s) -> const std::vector<double>& { return s.RawForce; },
         "Imported forces, one per sample."},
        {"loop_disp",
         [](const AnalysisState& s) -> const std::vector<double>& { return s.LoopDisp; },
         "Working curve displacements: crossing points inserted, repeats removed."},
        {"loop_force",
         [](const AnalysisState& s) -> const std::vector<double>& { return s.LoopForce; },
         "Working curve forces."},
        {"max_disp1",
         [](const AnalysisState& s) -> const std::vector<double>& { return s.MaxDisp1; },
         "Per loop: extreme displacement of the first half-cycle."},
        {"max_disp2",
         [](const AnalysisState& s) -> const std::vector<double>& { return s.MaxDisp2; },
         "Per loop: extreme displacement of the second half-cycle."},
        {"max_disp_force1",
         [](const AnalysisState& s) -> const std::vector<double>& { return s.MaxDispForce1; },
         "Per loop: force at the first half-cycle's extreme displacement."},
        {"max_disp_force2",
         [](const AnalysisState& s) -> const std::vector<double>& { return s.MaxDispForce2; },
         "Per loop: force at the second half-cycle's extreme displacement."},
    };
    for (const auto& v : doubles) {
        const VectorOf of = v.of;
        cls.def_property_readonly(
            v.name,
            [of](const Record& r) {
                const auto s = r.State();
                return View(s, of(*s));
            },
            v.doc);
    }
    const struct {
        const char* name;
        IndexVectorOf of;
        const char* doc;
    } indices[] = {
        {"loop_start",
         [](const AnalysisState& s) -> const std::vector<int32_t>& { return s.LoopStart; },
         "Working-curve index at which each half-cycle begins."},
        {"max_disp_index1",
         [](const AnalysisState& s) -> const std::vector<int32_t>& { return s.MaxDispIndex1; },
         "Per loop: working-curve index of the first half-cycle's extreme."},
        {"max_disp_index2",
         [](const AnalysisState& s) -> const std::vector<int32_t>& { return s.MaxDispIndex2; },
         "Per loop: working-curve index of the second half-cycle's extreme."},
    };
    for (const auto& v : indices) {
        const IndexVectorOf of = v.of;
        cls.def_property_readonly(
            v.name,
            [of](const Record& r) {
                const auto s = r.State();
                return View(s, of(*s));
            },
            v.doc);
    }

    m.def(
        "read",
        [](const std::string& path, int64_t firstLine, int64_t step, const std::string& decimal,
           std::pair<int64_t, int64_t> columns, bool partial) {
            qlnx::python::ReadOptions o{firstLine,     step,           decimal,
                                        columns.first, columns.second, partial};
            py::gil_scoped_release release;
            return Record::Read(path, o);
        },
        py::arg("path"), py::arg("first_line") = 1, py::arg("step") = 1,
        py::arg("decimal") = "auto", py::arg("columns") = std::make_pair(1, 2),
        py::arg("partial") = false,
        "read(path, first_line=1, step=1, decimal='auto', columns=(1, 2), partial=False) -> "
        "Record\n\n"
        "Imports a text record as qlnx-batch does: lines first_line, first_line + step, ...; the "
        "decimal separator 'auto', 'point' or 'comma'; the displacement and force columns from 1. "
        "Raises qlnx.ImportError with the message and line of the first row that does not read; "
        "with partial=True the rows before it are kept and the messages go to record.messages.");
}
