// The main window's part in projects: File > New / Open / Save / Save As Project, the
// specimens panel, the title bar with its unsaved-changes mark, and the question on closing.
// A specimen shown is the window as it is: its boxes, its record and its skeleton nodes.
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QUndoStack>
#include <exception>

#include "core/project_file.h"
#include "core/record_hash.h"
#include "core/skeleton.h"
#include "core/specimen_run.h"
#include "gui/channels/channel_mapping.h"
#include "gui/dialogs/dialog_filter.h"
#include "gui/dialogs/dialog_folders.h"
#include "gui/dialogs/user_dialogs.h"
#include "gui/evaluation/evaluation_window.h"
#include "gui/language/retranslation.h"
#include "gui/main_window/message_bar.h"
#include "gui/main_window/tform1.h"
#include "gui/project/specimens_panel.h"
#include "gui/qt_text.h"

namespace qlnx {

namespace {

const char* const kProjectFilter = "QLNX projects|*.qlnx|All Files|*.*";
const QString kProjectTitle = QStringLiteral("QLNX");

QString FileNameOf(const std::string& path) {
    return path.empty() ? QStringLiteral("Untitled") : QFileInfo(PathText(path)).fileName();
}

}  // namespace

bool IsProjectPath(const QString& path) {
    return path.endsWith(QStringLiteral(".qlnx"), Qt::CaseInsensitive);
}

void TForm1::BuildProjectCommands() {
    // A menu of its own after File, so that the designed File menu stays as it is.
    auto* project = new QMenu(QStringLiteral("Project"), mm1);
    project->setObjectName(QStringLiteral("Project1"));
    project->menuAction()->setObjectName(QStringLiteral("Project1"));
    SetDesignedText(project->menuAction(), QStringLiteral("Project"));
    const QList<QAction*> menus = mm1->actions();
    mm1->insertMenu(menus.size() > 1 ? menus[1] : nullptr, project);
    const auto make = [this, project](const char* name, const QString& caption) {
        auto* action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        SetDesignedText(action, caption);
        project->addAction(action);
        return action;
    };
    NewProject1 = make("NewProject1", QStringLiteral("New Project"));
    OpenProject1 = make("OpenProject1", QStringLiteral("Open Project\u2026"));
    SaveProject1 = make("SaveProject1", QStringLiteral("Save Project"));
    SaveProjectAs1 = make("SaveProjectAs1", QStringLiteral("Save Project As\u2026"));

    specimensPanel_ = new SpecimensPanel(this);
    addDockWidget(Qt::LeftDockWidgetArea, specimensPanel_);
    specimensPanel_->hide();
    specimensPanel_->OnChoose = [this](int i) { RunCommand([this, i] { ShowSpecimen(i); }); };
    specimensPanel_->OnAdd = [this] { Guarded(&TForm1::AddSpecimen1Click); };
    specimensPanel_->OnRemove = [this](int i) {
        RunCommand([this, i] {
            project_.Remove(i);
            ShowProject();
        });
    };
    specimensPanel_->OnMove = [this](int i, int step) {
        RunCommand([this, i, step] {
            StoreShownSpecimen();
            project_.Move(i, step);
            ShowProject();
        });
    };
    specimensPanel_->OnRename = [this](int i, const QString& name) {
        project_.At(i).Name = name.toStdString();
        project_.MarkModified();
        ShowProject();
    };
    specimensPanel_->OnGroup = [this](int i, const QString& group) {
        project_.At(i).Group = group.toStdString();
        project_.MarkModified();
        ShowProject();
    };
    specimensPanel_->OnHeight = [this](int i, const std::optional<double>& height) {
        project_.At(i).Height = height;
        project_.MarkModified();
        ShowProject();
    };
    connect(undoStack_, &QUndoStack::indexChanged, this, [this] { NoteWindowChange(); });
    baseTitle_ = windowTitle();
    BuildSeriesCommands();
}

void TForm1::NewProject1Click() {
    if (!KeepProjectChanges()) return;
    project_.New();
    ShowProject();
}

void TForm1::OpenProject1Click() {
    if (!KeepProjectChanges()) return;
    OpenFileRequest request;
    request.Title = QStringLiteral("Open Project");
    request.Filter = QtFileFilter(QString::fromLatin1(kProjectFilter));
    request.InitialFolder = DialogFolder(FileKind::Record, PathText(project_.Path()));
    const std::optional<QString> path = dialogs_.openFile(this, request);
    if (!path) return;
    RememberDialogFolder(FileKind::Record, *path);
    OpenProjectFrom(*path);
}

void TForm1::OpenProjectFile(const QString& path) {
    RunCommand([this, &path] {
        if (KeepProjectChanges()) OpenProjectFrom(path);
    });
}

void TForm1::OpenProjectFrom(const QString& path) {
    // A damaged project or one of a newer format is refused whole (its message reaches the
    // error box); the project open before stays.
    Project project = LoadProject(PathBytes(path));
    bool changed = false;
    {
        const std::unique_ptr<ProgressReport> progress = dialogs_.progress(
            this, kProjectTitle, QStringLiteral("Opening %1").arg(QFileInfo(path).fileName()));
        auto& specimens = project.Specimens;
        for (size_t i = 0; i < specimens.size();) {
            progress->Update(static_cast<double>(i) / static_cast<double>(specimens.size()));
            if (FindRecord(specimens[i], changed)) {
                ++i;
            } else {
                specimens.erase(specimens.begin() + static_cast<std::ptrdiff_t>(i));
                changed = true;
            }
        }
    }
    project_.Opened(std::move(project), PathBytes(path));
    if (changed) project_.MarkModified();
    RememberRecentRecord(
        {QFileInfo(path).absoluteFilePath(), QString(), QString(), QString(), QString()});
    UpdateRecentRecordsMenu();
    if (!project_.Specimens().Specimens.empty()) {
        ShowSpecimen(0);
    } else {
        ShowProject();
    }
}

bool TForm1::FindRecord(Specimen& specimen, bool& changed) {
    for (;;) {
        const RecordState state = CheckRecord(specimen);
        if (state == RecordState::Ok) return true;
        const QString why = QString::fromStdString(RecordStateText(specimen, state));
        if (!dialogs_.question(this, kProjectTitle,
                               why + QStringLiteral("\nFind the record? (No leaves the specimen "
                                                    "out of the project.)"))) {
            return false;
        }
        OpenFileRequest request;
        request.Title = QStringLiteral("Find %1").arg(QString::fromStdString(specimen.Name));
        request.Filter = QtFileFilter(QStringLiteral("All Files|*.*"));
        request.InitialFolder = QFileInfo(PathText(specimen.RecordPath)).absolutePath();
        const std::optional<QString> found = dialogs_.openFile(this, request);
        if (!found) return false;
        // The record the user names is the specimen's record from now on.
        specimen.RecordPath = PathBytes(QFileInfo(*found).absoluteFilePath());
        specimen.RecordSha256 = FileSha256(specimen.RecordPath);
        changed = true;
    }
}

void TForm1::SaveProject1Click() {
    if (!project_.IsOpen()) project_.New();
    if (project_.Path().empty()) {
        SaveProjectAs1Click();
        return;
    }
    SaveProjectTo(project_.Path());
}

void TForm1::SaveProjectAs1Click() {
    if (!project_.IsOpen()) project_.New();
    SaveFileRequest request;
    request.Filter = QtFileFilter(QString::fromLatin1(kProjectFilter));
    request.InitialFolder = DialogFolder(FileKind::Record, PathText(project_.Path()));
    request.FileName = FileNameOf(project_.Path());
    const std::optional<SaveFileAnswer> answer = dialogs_.saveFile(this, request);
    if (!answer) return;
    QString path = answer->FileName;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".qlnx");
    SaveProjectTo(PathBytes(path));
}

void TForm1::SaveProjectTo(const std::string& path) {
    StoreShownSpecimen();
    SaveProject(project_.Specimens(), path);
    project_.Saved(path);
    RememberRecentRecord(
        {QFileInfo(PathText(path)).absoluteFilePath(), QString(), QString(), QString(), QString()});
    UpdateRecentRecordsMenu();
    ShowProject();
    ShowStatus(QStringLiteral("Project saved: %1").arg(PathText(path)));
}

void TForm1::AddSpecimen1Click() {
    if (state_.FileNameText.empty()) {
        dialogs_.warning(this, QStringLiteral("Warning"),
                         QStringLiteral("Import a record first; a specimen is a record with its "
                                        "analysis."));
        return;
    }
    if (!project_.IsOpen()) project_.New();
    StoreShownSpecimen();
    Specimen specimen;
    specimen.Name = QFileInfo(PathText(state_.FileNameText)).completeBaseName().toStdString();
    CaptureSpecimen(specimen);
    project_.Add(std::move(specimen));
    ShowProject();
}

void TForm1::CaptureSpecimen(Specimen& s) const {
    const SpecimenImport before = s.Import;
    const std::string recordBefore = s.RecordPath;
    if (state_.FileNameText != s.RecordPath || s.RecordSha256.empty()) {
        s.RecordPath = state_.FileNameText;
        s.RecordSha256 = FileSha256(s.RecordPath);
    }
    s.Import.FirstLineText = edt7->text().toStdString();
    s.Import.StepText = edt8->text().toStdString();
    s.Import.LastLine = lastLine_;
    s.Import.Decimal = importOptions_.Decimal;
    s.Import.DisplacementColumn = importOptions_.DisplacementColumn;
    s.Import.ForceColumn = importOptions_.ForceColumn;
    // The header is read again only when what it depends on has changed.
    if (s.RecordPath != recordBefore || s.Import.FirstLineText != before.FirstLineText ||
        s.Import.Decimal != before.Decimal) {
        s.Import.ChannelHeader.clear();
    }
    CaptureChannelMapping(s);
    s.NoiseBandText = edtNoiseBand->text().toStdString();
    s.Direction = cbb4->currentIndex() == 1 ? LoopDirection::Negative : LoopDirection::Positive;
    s.Skeleton.Method.reset();
    for (size_t i = 0; i < rbMethods.size(); ++i) {
        if (rbMethods[i]->isChecked()) s.Skeleton.Method = SkeletonMethods()[i].Method;
    }
    s.Skeleton.KeepDispIncreasing = chk1->isChecked();
    StoreSkeletonNodes(s, state_);
    if (evaluationWindow_ != nullptr) s.Evaluation = evaluationWindow_->Options();
}

void TForm1::CaptureChannelMapping(Specimen& s) const {
    const bool same =
        s.Import.Channels == importOptions_.Channels && !s.Import.ChannelHeader.empty();
    s.Import.Channels = importOptions_.Channels;
    if (!s.Import.Channels) {
        s.Import.ChannelHeader.clear();
        return;
    }
    if (same) return;
    // The header the mapping is made for, as the window remembers mappings by it.
    int32_t firstLine = 1;
    try {
        if (const auto boxes =
                CheckImportParameters(s.Import.FirstLineText, s.Import.StepText).Parameters) {
            firstLine = boxes->FirstLine;
        }
    } catch (const std::exception&) {
        // A step that is no integer: the header is looked for from the first line.
    }
    const std::optional<ChannelLayout> layout =
        ReadHeadLayout(s.RecordPath, firstLine, s.Import.Decimal);
    s.Import.ChannelHeader = layout ? LayoutKey(*layout) : std::string();
}

bool TForm1::ShowsCurrentSpecimen() {
    const int current = project_.Current();
    if (current < 0) return false;
    // Another record imported: the window no longer shows the specimen, which stays as it was.
    if (state_.FileNameText != project_.At(current).RecordPath) {
        project_.SetCurrent(-1);
        ShowProject();
        return false;
    }
    return true;
}

void TForm1::StoreShownSpecimen() {
    if (ShowsCurrentSpecimen()) CaptureSpecimen(project_.At(project_.Current()));
}

void TForm1::ShowSpecimen(int index) {
    if (index == project_.Current() && ShowsCurrentSpecimen()) return;
    StoreShownSpecimen();
    const Specimen specimen = project_.At(index);
    project_.SetCurrent(index);
    edt7->setText(QString::fromStdString(specimen.Import.FirstLineText));
    edt8->setText(QString::fromStdString(specimen.Import.StepText));
    importOptions_.Decimal = specimen.Import.Decimal;
    importOptions_.DisplacementColumn = specimen.Import.DisplacementColumn;
    importOptions_.ForceColumn = specimen.Import.ForceColumn;
    // The specimen's own mapping, not the one remembered for its header on this computer.
    importOptions_.Channels = specimen.Import.Channels;
    edtNoiseBand->setText(QString::fromStdString(specimen.NoiseBandText));
    cbb4->setCurrentIndex(specimen.Direction == LoopDirection::Negative ? 1 : 0);
    for (size_t i = 0; i < rbMethods.size(); ++i) {
        rbMethods[i]->setChecked(specimen.Skeleton.Method == SkeletonMethods()[i].Method);
    }
    chk1->setChecked(specimen.Skeleton.KeepDispIncreasing);
    // A specimen is read in its own range of lines.
    wholeFirstLine_.reset();
    lastLine_ = specimen.Import.LastLine;
    if (const auto read =
            CheckImportParameters(specimen.Import.FirstLineText, specimen.Import.StepText)
                .Parameters) {
        readWith_ = *read;
    }
    SpecimenRun run;
    {
        const std::unique_ptr<ProgressReport> progress = dialogs_.progress(
            this, kProjectTitle,
            QStringLiteral("Reading %1").arg(QString::fromStdString(specimen.Name)));
        run = OpenSpecimen(state_, specimen,
                           [&progress](double done) { return progress->Update(done); });
    }
    noiseBandInForce_ = run.NoiseBand;
    skeletonMethodInForce_.clear();
    if (specimen.Skeleton.Method) {
        // Named as an extraction in the window names it, for the evaluation's files.
        skeletonMethodInForce_ = ExtractionName(*specimen.Skeleton.Method, specimen.Direction,
                                                specimen.Skeleton.KeepDispIncreasing);
    }
    // A specimen shown anew starts a history of its own: nothing of the last one to undo.
    StartEditHistory(TakeSkeletonPoints(state_));
    messageBar_->Dismiss();
    ShowState(true);
    ShowRecordUnits();
    ShowProject();
    if (!run.Messages.empty()) {
        messageBar_->ShowMessage(QString::fromStdString(run.Messages.front()));
    }
}

void TForm1::ShowProject() {
    specimensPanel_->setVisible(project_.IsOpen());
    specimensPanel_->Show(project_.Specimens(), project_.Current());
    if (project_.IsOpen()) {
        setWindowTitle(FileNameOf(project_.Path()) + QStringLiteral("[*] \u2013 ") + baseTitle_);
    } else {
        setWindowTitle(baseTitle_);
    }
    setWindowModified(project_.Modified());
}

void TForm1::NoteWindowChange() {
    if (!ShowsCurrentSpecimen() || project_.Modified()) return;
    const int current = project_.Current();
    // Only a real difference marks the project: the shown specimen as the window holds it now.
    // Runs after the guard of a command: a record that cannot be read now marks nothing.
    Specimen now = project_.At(current);
    try {
        CaptureSpecimen(now);
    } catch (const std::exception&) {
        return;
    }
    Project before;
    before.Specimens.push_back(project_.At(current));
    Project after;
    after.Specimens.push_back(std::move(now));
    if (ProjectJsonText(after, "/") != ProjectJsonText(before, "/")) {
        project_.MarkModified();
        setWindowModified(true);
    }
}

bool TForm1::KeepProjectChanges() {
    NoteWindowChange();
    if (!project_.Modified()) return true;
    if (dialogs_.question(this, kProjectTitle,
                          QStringLiteral("Save the changes to the project %1?")
                              .arg(FileNameOf(project_.Path())))) {
        SaveProject1Click();
        return !project_.Modified();
    }
    return true;
}

void TForm1::closeEvent(QCloseEvent* event) {
    bool keep = true;
    RunCommand([this, &keep] { keep = KeepProjectChanges(); });
    if (keep) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace qlnx
