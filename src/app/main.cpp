// keytune - the Velkor TX20 keyboard configuration utility.
#include "CKeytuneApp.h"

int main(int argc, char** argv) {
    return app::CKeytuneApp().run(argc, argv);
}
