// Shared by the GTK engine tests: the one window of the test process and
// small helpers to look into the fixed container.
#pragma once

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <string>
#include <vector>

namespace gtktest {

// Children of fixed_container in the order they were added.
std::vector<GtkWidget*> children();
GtkWidget* last_child();

// The (x, y) at which the fixed container holds `widget`.
std::pair<int, int> position(GtkWidget* widget);

// Switches LC_NUMERIC for the lifetime of the object.
class NumericLocale {
public:
    explicit NumericLocale(const char* name);
    ~NumericLocale();
    bool ok() const { return ok_; }

private:
    std::string previous_;
    bool ok_;
};

// Every test starts with empty registries and no bound controller; widgets
// of earlier tests stay in the window.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
};

}  // namespace gtktest
