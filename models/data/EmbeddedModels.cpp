#include "models/data/EmbeddedModels.h"

#include <cstring>

ModelDescriptor* FindEmbeddedModel(const char* name)
{
    if (!name)
        return nullptr;
    struct Entry {
        const char* name;
        ModelDescriptor* model;
    };
    static const Entry entries[] = {
        {"A", &modelA}, {"B1", &modelB1}, {"B2", &modelB2}, {"C", &modelC}, {"D", &modelD},
    };
    for (const Entry& entry : entries)
        if (std::strcmp(entry.name, name) == 0)
            return entry.model;
    return nullptr;
}
