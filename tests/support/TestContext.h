#pragma once

// The application context of a test process. The fixtures (ScratchAppDirectory, the simulated
// radio) and the objects under test share it, as the window's parts share the program's own.

class CAppContext;

CAppContext& TestContext();
