// The program's resource table, where the framework finds templates and icons by number.

#include "platform/afx/resources.h"

extern const afx::DialogTemplate kDialog102;
extern const afx::IconResource kIcon128;

const afx::ResourceTable& AfxResources() {
    static const afx::ResourceTable table{{&kDialog102}, {&kIcon128}};
    return table;
}
