// The project open in the window: its specimens, its file, the specimen shown and whether it
// changed since it was saved.
#pragma once

#include <string>

#include "core/project.h"

namespace qlnx {

class ProjectSession {
public:
    const Project& Specimens() const { return project_; }
    const std::string& Path() const { return path_; }
    bool IsOpen() const { return open_; }
    bool Modified() const { return modified_; }
    // The specimen the window shows (-1 for none).
    int Current() const { return current_; }

    // An empty project without a file.
    void New();
    // The project read from path, nothing shown yet.
    void Opened(Project project, const std::string& path);
    // The project was written to path.
    void Saved(const std::string& path);
    void MarkModified() { modified_ = open_; }

    // Adds a specimen and makes it the one shown; returns its index.
    int Add(Specimen specimen);
    void Remove(int index);
    // Moves a specimen one place up (-1) or down (+1); the one shown stays shown.
    void Move(int index, int step);
    void SetCurrent(int index) { current_ = index; }
    Specimen& At(int index) { return project_.Specimens[static_cast<size_t>(index)]; }

private:
    Project project_;
    std::string path_;
    bool open_ = false;
    bool modified_ = false;
    int current_ = -1;
};

}  // namespace qlnx
