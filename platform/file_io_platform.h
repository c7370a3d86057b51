// What each platform's half of the file code gives the shared save logic in
// platform/file_io.cpp, beside its IFileWriter.
#pragma once

namespace vorn {

// This process's id, which makes the temporary names of its saves its own.
unsigned CurrentProcessId();

}  // namespace vorn
