// The hull surface (and on request its port half and defining curves) as a STEP AP214 or an
// IGES 5.3 file, written by Open CASCADE's translators.
#pragma once

#include <string>

struct TCadContent;

// Lengths go out as metres, the unit the hull's dimensions are meant in. EGeometryError when the
// content cannot be translated, EIOError when the file cannot be written.
void WriteStep(const std::string& FileName, const TCadContent& Content);
void WriteIges(const std::string& FileName, const TCadContent& Content);
