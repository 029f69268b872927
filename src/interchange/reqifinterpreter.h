#pragma once

#include "interchange/importbatch.h"
#include "interchange/reqifcontent.h"

namespace varn::interchange {

// Turns what a requirements-exchange file holds into requirements to import.
// A file Varn SE wrote gives back each requirement's attributes and stored
// fields; any other file gives technical requirements: the text from
// "ReqIF.Text", else the first XHTML or string value, the identifier kept in
// the comments, the paragraph from the place in the hierarchy.
class ReqIfInterpreter
{
public:
    static bool isVarnFile(const ReqIfContent &content);
    static ImportBatch interpret(const ReqIfContent &content);
};

} // namespace varn::interchange
