// Reading MATLAB MAT-files (v5, v7 compressed, v7.3 on HDF5) through matio: each numeric
// vector, each column of a numeric matrix and each such field of a struct is a channel.
#pragma once

#include <string>

#include "formats/record_source.h"

namespace qlnx {

RecordText ReadMat(const std::string& path, const RecordChoice& choice);

}  // namespace qlnx
