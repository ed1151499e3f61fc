#pragma once
// The "Ресурсы" tab: the version line with the settings reset on top, community and
// support pictures, the map, the launch codes, tool and client links, driver pages.
#include <memory>
#include <vector>

#include "ui/controls.h"
#include "ui/native_controls.h"
#include "ui/page_control.h"

namespace ravenlock {

class MainWindow;

class ResourcesTab {
public:
    void Create(ui::Page& page, MainWindow& main);

    ui::Label AboutLabel;
    // The link pictures and their captions, by Tag.
    ui::PictureBox* Picture(int tag);

private:
    struct Link {
        int tag;
        std::unique_ptr<ui::PictureBox> picture;
        std::unique_ptr<ui::Label> caption;
    };
    std::vector<Link> links_;
    ui::GroupBox GroupBox1;  // the map
};

}  // namespace ravenlock
