// Text files as the program reads them: decoding to UTF-8, whole files, lines and delimited
// fields.
#pragma once

#include "core/field_reader.h"
#include "core/file_bytes.h"
#include "core/line_count.h"
#include "core/line_cursor.h"
#include "core/text_decoding.h"
