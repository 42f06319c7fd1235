#include "support.h"

#include <clocale>
#include <cstdlib>

#include "facade.h"
#include "gtk_engine.h"

namespace gtktest {

std::vector<GtkWidget*> children() {
    std::vector<GtkWidget*> result;
    GList* list = gtk_container_get_children(GTK_CONTAINER(fixed_container));
    for (GList* l = list; l; l = l->next) result.push_back(GTK_WIDGET(l->data));
    g_list_free(list);
    return result;
}

GtkWidget* last_child() {
    std::vector<GtkWidget*> all = children();
    return all.empty() ? nullptr : all.back();
}

std::pair<int, int> position(GtkWidget* widget) {
    int x = -1, y = -1;
    gtk_container_child_get(GTK_CONTAINER(fixed_container), widget, "x", &x, "y", &y, nullptr);
    return {x, y};
}

NumericLocale::NumericLocale(const char* name) : previous_(setlocale(LC_NUMERIC, nullptr)) {
    ok_ = setlocale(LC_NUMERIC, name) != nullptr;
}

NumericLocale::~NumericLocale() { setlocale(LC_NUMERIC, previous_.c_str()); }

void EngineTest::SetUp() {
    txts.clear();
    checks.clear();
    controllerGlobal = nullptr;
}

namespace {

// The window every test of this process draws into. The environment is a
// Brazilian user's, so numbers use a decimal comma unless a test switches.
class GtkWindowEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        setenv("LC_ALL", "pt_BR.UTF-8", 1);
        setenv("NO_AT_BRIDGE", "1", 1);  // no accessibility bus in these tests
        cria_janela(495, 620, 200, 200);
        // A failed GTK or GLib precondition is a fault of the engine.
        g_log_set_always_fatal(static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_FATAL_MASK));
    }
};

}  // namespace
}  // namespace gtktest

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new gtktest::GtkWindowEnvironment);
    return RUN_ALL_TESTS();
}
