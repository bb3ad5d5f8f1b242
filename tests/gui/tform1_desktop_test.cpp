// The main window's desktop conveniences: a dropped record, the menu keys, the chart menu's
// image and the status read-out of the values under the mouse.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>

#include <QDir>
#include <functional>
#include <memory>

#include "../write_targets.h"
#include "core/number_text.h"
#include "tform1_fixture.h"

namespace qlnx::test {
namespace {

class TForm1DesktopTest : public TForm1Test {
protected:
    // Drops data on the chart, as a file manager does; returns whether the window took it.
    bool Drop(const QMimeData& data) {
        const QPoint at = Chart()->mapTo(form.get(), QPoint(200, 200));
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &drop);
        QCoreApplication::processEvents();
        return drop.isAccepted();
    }
    void Hover(QPoint pos) {
        ChartWidget* chart = Chart();
        QMouseEvent move(QEvent::MouseMove, pos, chart->mapToGlobal(pos), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(chart, &move);
    }
    QByteArray Bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QAction* ChartMenuItem(const char* name) {
        auto* item = Chart()->chartMenu()->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(item, nullptr) << name;
        return item;
    }
};

TEST_F(TForm1DesktopTest, DroppedRecordIsImportedWithTheBoxesAsTheyAre) {
    const QString path = WriteFile("dropped.csv", "header\n0,0\n2,10\n-1,-5\n");
    SetText("edt7", "2");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    ASSERT_TRUE(Drop(data));
    EXPECT_EQ(State().RawDisp, (std::vector<double>{0, 2, -1}));
    EXPECT_EQ(State().RawForce, (std::vector<double>{0, 10, -5}));
    EXPECT_EQ(Text("edt5"), path);
    EXPECT_TRUE(dialogs.boxes.empty());

    // Text and web addresses are not records: the window refuses them and keeps its record.
    QMimeData text;
    text.setText(QStringLiteral("1,2"));
    EXPECT_FALSE(Drop(text));
    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://example.org/record.csv"))});
    EXPECT_FALSE(Drop(web));
    EXPECT_EQ(State().RawDisp.size(), 3u);

    // A dropped file that cannot be read gets the import's own message.
    QMimeData missing;
    missing.setUrls({QUrl::fromLocalFile(dir.filePath(QStringLiteral("gone.csv")))});
    ASSERT_TRUE(Drop(missing));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(dialogs.boxes[0].text.startsWith(QStringLiteral("Cannot open file")))
        << dialogs.boxes[0].text.toStdString();
}

TEST_F(TForm1DesktopTest, DroppedWorkbookIsReadByItsContentWhateverItsName) {
    // The workbook twin of a CSV record under a name that says nothing: its first two
    // columns (time and displacement) become the curve, as the column boxes say.
    const QString path = dir.filePath(QStringLiteral("from the logger.bin"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QLNX_TEST_DATA "/formats/record.xlsx"), path));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    ASSERT_TRUE(Drop(data));
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(Text("edt5"), path);
    ASSERT_FALSE(State().RawDisp.empty());
    EXPECT_EQ(State().RawDisp.front(), 0.0);
    EXPECT_EQ(State().RawForce.back(), 7.0);
}

// A record dropped while a long command runs would change the state under that command: the
// window refuses it and the running command ends as it would have.
TEST_F(TForm1DesktopTest, DropWhileACommandRunsIsRefused) {
    std::string rows;
    for (int i = 0; i < 20000; ++i)
        rows += std::to_string(i % 7) + "," + std::to_string(i % 5) + "\n";
    const QString big = WriteFile("big.csv", rows);
    QMimeData other;
    other.setUrls({QUrl::fromLocalFile(WriteFile("other.csv", "0,0\n1,1\n"))});
    bool dropped = false;
    dialogs.onProgress = [&](double) {
        if (!dropped) dropped = Drop(other);
    };
    Import(big);
    EXPECT_TRUE(dropped);
    QCoreApplication::processEvents();
    EXPECT_EQ(State().RawDisp.size(), 20000u);
    EXPECT_EQ(Text("edt5"), big);
    EXPECT_TRUE(dialogs.boxes.empty());
}

// Every repeated command has its key, shown beside its menu item, and the key works even
// while an edit box has the focus.
TEST_F(TForm1DesktopTest, MenuKeysRunTheirCommands) {
    const QString path =
        WriteFile("cycles.csv", "0,0\n1,10\n2,15\n1,5\n0,-2\n-1,-10\n-2,-14\n-1,-4\n0,3\n");
    struct Key {
        const char* action;
        QKeyCombination key;
        const char* shown;
    };
    // clang-format off
    const Key keys[] = {
        {"ImportData1", Qt::CTRL | Qt::Key_O, "Ctrl+O"},    {"ReImport1", QKeyCombination(Qt::Key_F5), "F5"},
        {"AnalyzeLoop1", Qt::CTRL | Qt::Key_L, "Ctrl+L"},   {"ExtractSkeleton1", Qt::CTRL | Qt::Key_E, "Ctrl+E"},
        {"ExportResults1", Qt::CTRL | Qt::Key_S, "Ctrl+S"},
    };
    // clang-format on
    for (const Key& k : keys)
        EXPECT_EQ(Find<QAction>(k.action)->shortcut().toString(), k.shown) << k.action;
    const auto press = [this](QKeyCombination key) {
        Find<QLineEdit>("edt9")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    };

    dialogs.openAnswers.push_back(path);
    press(keys[0].key);
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(State().RawDisp.size(), 9u);

    SetText("edt8", "2");
    press(keys[1].key);
    EXPECT_EQ(State().RawDisp, (std::vector<double>{0, 2, 0, -2, 0}));
    SetText("edt8", "1");
    press(keys[1].key);
    ASSERT_EQ(State().RawDisp.size(), 9u);

    press(keys[2].key);
    EXPECT_EQ(Text("edt6"), "1");

    press(keys[3].key);
    EXPECT_EQ(PointsOf(State().Chart.GetSeries(ChartModel::PositiveSkeletonSeries)),
              (std::vector<Point>{{0, 0}, {2, 15}}));
    EXPECT_EQ(Text("edt9"), "0") << "the key went to the command, not into the box";

    dialogs.saveAnswers.push_back(std::nullopt);
    press(keys[4].key);
    EXPECT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(TForm1DesktopTest, RightClickOpensTheChartMenu) {
    ChartWidget* chart = Chart();
    const QPoint at = chart->axisRect()->rect().center();
    QTest::mouseClick(chart, Qt::RightButton, Qt::NoModifier, at);
    QMenu* menu = chart->chartMenu();
    EXPECT_TRUE(menu->isVisible());
    QStringList captions;
    for (const QAction* item : menu->actions()) captions << item->text();
    EXPECT_EQ(captions, (QStringList{"Reset zoom", "Save chart as image\u2026"}));
    menu->close();
}

// The image goes where the dialog says, with the chosen type's suffix, through the chart's
// own PNG and PDF savers; a file the dialog did not ask about is replaced only after a Yes.
TEST_F(TForm1DesktopTest, ChartImageIsSavedAsPngOrPdf) {
    Import(WriteFile("worked.csv", kWorkedExample));
    struct Case {
        const char* chosen;
        int filter;
        const char* written;
        QByteArray magic;
    };
    const Case cases[] = {
        {"loops", 1, "loops.png", "\x89PNG"},
        {"loops", 2, "loops.pdf", "%PDF"},
        {"figure.PDF", 1, "figure.PDF", "%PDF"},
    };
    for (const Case& c : cases) {
        dialogs.saveAnswers.push_back(
            SaveFileAnswer{dir.filePath(QString::fromLatin1(c.chosen)), c.filter});
        ChartMenuItem("SaveChartImage1")->trigger();
        EXPECT_TRUE(Bytes(dir.filePath(QString::fromLatin1(c.written))).startsWith(c.magic))
            << c.written;
    }
    const SaveFileRequest& request = dialogs.saveRequests.front();
    EXPECT_EQ(request.Filter, "PNG image (*.png);;PDF document (*.pdf)");
    EXPECT_EQ(request.FileName, "worked");
    EXPECT_EQ(request.InitialFolder, dir.path());
    EXPECT_TRUE(dialogs.boxes.empty());

    // "loops.png" exists and the dialog was given "loops": No keeps the old image.
    const QByteArray before = Bytes(dir.filePath(QStringLiteral("loops.png")));
    dialogs.saveAnswers.push_back(SaveFileAnswer{dir.filePath(QStringLiteral("loops")), 1});
    dialogs.questionAnswers.push_back(false);
    ChartMenuItem("SaveChartImage1")->trigger();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "loops.png already exists.\nDo you want to replace it?");
    EXPECT_EQ(Bytes(dir.filePath(QStringLiteral("loops.png"))), before);

    // A folder that cannot take the file gets the error box and nothing is left behind.
    dialogs.saveAnswers.push_back(
        SaveFileAnswer{dir.filePath(QStringLiteral("no-folder/loops")), 1});
    ChartMenuItem("SaveChartImage1")->trigger();
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(dialogs.boxes[1].kind, ScriptedDialogs::Kind::Error);
    EXPECT_TRUE(
        dialogs.boxes[1].text.startsWith(QStringLiteral("Cannot create file \"") +
                                         dir.filePath(QStringLiteral("no-folder/loops.png"))))
        << dialogs.boxes[1].text.toStdString();
}

// A chart image never destroys a file: a refused or failed write shows the error box and
// leaves the old bytes; a pipe gets the image in place.
TEST_F(TForm1DesktopTest, ChartImageNeverDestroysAFile) {
    // A record under an image's name, so that the image could be aimed at it.
    const QString record = WriteFile("record.png", kWorkedExample);
    Import(record);
    const QByteArray oldBytes("old image");
    const QDir folder(dir.path());
    std::unique_ptr<SmallFileSystem> small;
    const struct {
        const char* what;
        std::function<QString()> setUp;  // the target, or empty to skip the case here
        QString reason;
        // clang-format off
    } cases[] = {
        {"read-only file",
         [&] {
             const QString path = WriteFile("old.png", oldBytes.toStdString());
             QFile::setPermissions(path, QFile::ReadOwner);
             return path;
         },
         "Permission denied"},
        {"read-only folder",
         [&] {
             folder.mkdir("ro");
             const QString path = WriteFile("ro/old.png", oldBytes.toStdString());
             QFile::setPermissions(dir.filePath("ro"), QFile::ReadOwner | QFile::ExeOwner);
             return path;
         },
         "Permission denied"},
        {"folder", [&] {
             folder.mkdir("folder.png");
             return dir.filePath("folder.png");
         },
         "Is a directory"},
        {"full file system", [&] {
             small = std::make_unique<SmallFileSystem>(dir.filePath("small").toStdString());
             if (!small->ok()) return QString();
             const QString path = WriteFile("small/old.png", oldBytes.toStdString());
             small->Fill();
             return path;
         },
         "No space left on device"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString target = c.setUp();
        if (target.isEmpty()) continue;
        const size_t boxes = dialogs.boxes.size();
        const QDir targetFolder = QFileInfo(target).dir();
        const auto entries = [&] {
            return targetFolder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        };
        const QStringList before = entries();
        dialogs.saveAnswers.push_back(SaveFileAnswer{target, 1});
        ChartMenuItem("SaveChartImage1")->trigger();
        ASSERT_EQ(dialogs.boxes.size(), boxes + 1);
        EXPECT_EQ(dialogs.boxes.back().kind, ScriptedDialogs::Kind::Error);
        EXPECT_EQ(dialogs.boxes.back().text,
                  "Cannot create file \"" + target + "\". " + c.reason + ".");
        if (!QFileInfo(target).isDir()) {
            EXPECT_EQ(Bytes(target), oldBytes);
        }
        EXPECT_EQ(entries(), before);
        small.reset();
    }
    QFile::setPermissions(dir.filePath("ro"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QByteArray recordBytes = Bytes(record);
    dialogs.saveAnswers.push_back(SaveFileAnswer{record, 1});
    ChartMenuItem("SaveChartImage1")->trigger();
    EXPECT_EQ(dialogs.boxes.back().text,
              record + " is the record being analysed; choose another name.");
    EXPECT_EQ(Bytes(record), recordBytes);

    const size_t boxes = dialogs.boxes.size();
    PipeReader reader(dir.filePath("pipe.png").toStdString());
    ASSERT_TRUE(reader.ok());
    dialogs.saveAnswers.push_back(SaveFileAnswer{dir.filePath("pipe.png"), 1});
    ChartMenuItem("SaveChartImage1")->trigger();
    EXPECT_EQ(reader.Take().rfind("\x89PNG", 0), 0u);
    EXPECT_EQ(dialogs.boxes.size(), boxes);
    EXPECT_FALSE(QFileInfo(dir.filePath("pipe.png")).isFile());
}

TEST_F(TForm1DesktopTest, StatusBarReadsOutTheValuesUnderTheMouse) {
    Import(WriteFile("worked.csv", kWorkedExample));
    ChartWidget* chart = Chart();
    chart->replot();
    auto* readout = Find<QLabel>("rzfldsts4");
    const QPoint at = chart->axisRect()->rect().center() + QPoint(17, -9);
    Hover(at);
    // Six significant digits in fixed notation (the field is sized for "-0.000000e+00").
    const auto number = [](double v) {
        const QString fixed = QString::fromStdString(FormatSignificantFixed(v, 6));
        return fixed.size() <= 13 ? fixed : QString::fromStdString(FormatSignificant(v, 6));
    };
    EXPECT_EQ(readout->text(), QStringLiteral("Disp = %1   Force = %2")
                                   .arg(number(chart->XScreenToValue(at.x())))
                                   .arg(number(chart->YScreenToValue(at.y()))));
    Hover(QPoint(1, 1));  // on the axis margin, outside the plot
    EXPECT_EQ(readout->text(), "");
    Hover(at);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(chart, &leave);
    EXPECT_EQ(readout->text(), "");
}

}  // namespace
}  // namespace qlnx::test
