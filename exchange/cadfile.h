// The hull surface (and on request its port half and defining curves) as a STEP AP214 or an
// IGES 5.3 file, written by Open CASCADE's translators.
#pragma once

#include <ostream>

struct TCadContent;

// The file's text onto Out, which the caller puts into place (see TSafeFile); a translator that
// fails to write marks Out as failed. Lengths go out as metres, the unit the hull's dimensions
// are meant in. EGeometryError when the content cannot be translated.
void WriteStep(std::ostream& Out, const TCadContent& Content);
void WriteIges(std::ostream& Out, const TCadContent& Content);
