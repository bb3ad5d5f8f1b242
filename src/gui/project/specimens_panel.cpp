#include "gui/project/specimens_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "core/number_text.h"

namespace qlnx {

namespace {

QPushButton* PanelButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

SpecimensPanel::SpecimensPanel(QWidget* parent) : QDockWidget(QStringLiteral("Specimens"), parent) {
    setObjectName(QStringLiteral("SpecimensPanel"));
    auto* body = new QWidget(this);
    auto* grid = new QGridLayout(body);
    list_ = new QListWidget(body);
    list_->setObjectName(QStringLiteral("lstSpecimens"));
    name_ = new QLineEdit(body);
    name_->setObjectName(QStringLiteral("edtSpecimenName"));
    group_ = new QLineEdit(body);
    group_->setObjectName(QStringLiteral("edtSpecimenGroup"));
    height_ = new QLineEdit(body);
    height_->setObjectName(QStringLiteral("edtSpecimenHeight"));
    QPushButton* add = PanelButton(QStringLiteral("Add"), "btnAddSpecimen", body);
    QPushButton* remove = PanelButton(QStringLiteral("Remove"), "btnRemoveSpecimen", body);
    QPushButton* up = PanelButton(QStringLiteral("Up"), "btnSpecimenUp", body);
    QPushButton* down = PanelButton(QStringLiteral("Down"), "btnSpecimenDown", body);
    grid->addWidget(list_, 0, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Name"), body), 1, 0);
    grid->addWidget(name_, 1, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Group"), body), 2, 0);
    grid->addWidget(group_, 2, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Height"), body), 3, 0);
    grid->addWidget(height_, 3, 1, 1, 3);
    grid->addWidget(add, 4, 0);
    grid->addWidget(remove, 4, 1);
    grid->addWidget(up, 4, 2);
    grid->addWidget(down, 4, 3);
    setWidget(body);

    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_ && row >= 0 && OnChoose) OnChoose(row);
    });
    connect(add, &QPushButton::clicked, this, [this] {
        if (OnAdd) OnAdd();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (Selected() >= 0 && OnRemove) OnRemove(Selected());
    });
    connect(up, &QPushButton::clicked, this, [this] {
        if (Selected() >= 0 && OnMove) OnMove(Selected(), -1);
    });
    connect(down, &QPushButton::clicked, this, [this] {
        if (Selected() >= 0 && OnMove) OnMove(Selected(), 1);
    });
    connect(name_, &QLineEdit::editingFinished, this, [this] {
        if (Selected() >= 0 && OnRename) OnRename(Selected(), name_->text());
    });
    connect(group_, &QLineEdit::editingFinished, this, [this] {
        if (Selected() >= 0 && OnGroup) OnGroup(Selected(), group_->text());
    });
    connect(height_, &QLineEdit::editingFinished, this, [this] {
        if (Selected() < 0 || !OnHeight) return;
        const std::string text = height_->text().trimmed().toStdString();
        if (text.empty()) {
            if (shownHeight_) OnHeight(Selected(), std::nullopt);
            return;
        }
        const std::optional<double> height = ParseFloat(text, DecimalSeparator());
        if (!height || !(*height > 0)) {
            // Not a height: the box shows the specimen's height again.
            const QSignalBlocker block(height_);
            height_->setText(shownHeight_ ? QString::fromStdString(FormatGeneral15(*shownHeight_))
                                          : QString());
            return;
        }
        if (height != shownHeight_) OnHeight(Selected(), height);
    });
}

int SpecimensPanel::Selected() const { return list_->currentRow(); }

void SpecimensPanel::Show(const Project& project, int current) {
    filling_ = true;
    list_->clear();
    for (const Specimen& s : project.Specimens) {
        QString text = QString::fromStdString(s.Name);
        if (!s.Group.empty()) text += QStringLiteral("  [") + QString::fromStdString(s.Group) + ']';
        list_->addItem(text);
    }
    list_->setCurrentRow(current);
    const bool chosen = current >= 0 && current < static_cast<int>(project.Specimens.size());
    const QSignalBlocker nameBlock(name_);
    const QSignalBlocker groupBlock(group_);
    name_->setText(
        chosen ? QString::fromStdString(project.Specimens[static_cast<size_t>(current)].Name)
               : QString());
    group_->setText(
        chosen ? QString::fromStdString(project.Specimens[static_cast<size_t>(current)].Group)
               : QString());
    const QSignalBlocker heightBlock(height_);
    shownHeight_.reset();
    if (chosen) shownHeight_ = project.Specimens[static_cast<size_t>(current)].Height;
    height_->setText(shownHeight_ ? QString::fromStdString(FormatGeneral15(*shownHeight_))
                                  : QString());
    filling_ = false;
}

}  // namespace qlnx
