#include "namedfields.h"

#include "zumoltc/model/zubaseobject.h"
#include "zumoltc/shell/framework/intedit.h"

namespace NamedFields {

void write(const DialogItemValidator &validator, IntEdit *id, QLineEdit *name, ZUBaseObject *object)
{
    if (validator.isChanged(id))
        object->setId(id->value());
    if (validator.isChanged(name))
        object->setName(name->text());
}

} // namespace NamedFields
