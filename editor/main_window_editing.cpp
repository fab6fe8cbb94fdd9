#include "editor/main_window.h"

void TForm1::connectEditing() {}
