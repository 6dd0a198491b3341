// The peer benchmarks register themselves in pairs named "Work/Keelvane" and "Work/Peer", which
// the program's summary sets side by side.
#pragma once

// The surface evaluations against Open CASCADE; raises when the two disagree beyond 1e-12.
void RegisterSurfacePeers();
// The lines plan against CGAL's mesh slicer.
void RegisterContourPeers();
