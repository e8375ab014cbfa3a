#include "icons/ResourceName.h"

std::string ResourceNameText(const TResourceId& id) {
    return id.Named ? id.Name : "#" + std::to_string(id.Id);
}
