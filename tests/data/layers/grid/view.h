#include "grid/view.h"

#include "widgets/twips.h"
#include "app/main_window.h"
// #include "app/about_dialog.h"
