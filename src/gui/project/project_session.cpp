#include "gui/project/project_session.h"

#include <utility>

namespace qlnx {

void ProjectSession::New() {
    project_ = {};
    path_.clear();
    open_ = true;
    modified_ = false;
    current_ = -1;
}

void ProjectSession::Opened(Project project, const std::string& path) {
    project_ = std::move(project);
    path_ = path;
    open_ = true;
    modified_ = false;
    current_ = -1;
}

void ProjectSession::Saved(const std::string& path) {
    path_ = path;
    modified_ = false;
}

int ProjectSession::Add(Specimen specimen) {
    project_.Specimens.push_back(std::move(specimen));
    current_ = static_cast<int>(project_.Specimens.size()) - 1;
    modified_ = true;
    return current_;
}

void ProjectSession::Remove(int index) {
    auto& list = project_.Specimens;
    if (index < 0 || index >= static_cast<int>(list.size())) return;
    list.erase(list.begin() + index);
    if (current_ == index) {
        current_ = -1;
    } else if (current_ > index) {
        --current_;
    }
    modified_ = true;
}

void ProjectSession::Move(int index, int step) {
    auto& list = project_.Specimens;
    const int to = index + step;
    const int size = static_cast<int>(list.size());
    if (index < 0 || index >= size || to < 0 || to >= size) return;
    std::swap(list[static_cast<size_t>(index)], list[static_cast<size_t>(to)]);
    if (current_ == index) {
        current_ = to;
    } else if (current_ == to) {
        current_ = index;
    }
    modified_ = true;
}

}  // namespace qlnx
