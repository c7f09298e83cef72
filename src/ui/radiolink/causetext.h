// Why an exchange with the radio failed, in the interface's language. The core reports causes as
// values (an open failure, a link fault, the bytes that differ); the command-line tool words them
// in English itself, and these are the desktop program's words for the same values.
#pragma once

#include "core/radiolink/exchange.h"
#include "core/radiolink/portchoice.h"

#include <QString>

namespace tarsel::ui {

QString CauseText(const CExchangeResult& result);
QString OpenFailureText(const COpenResult& result);
QString LinkFaultText(const CLinkFault& fault);
QString VerificationText(const CVerification& verification);
// When no port opens: that no programming cable was found, where it was looked for and what to
// check, in short lines. Empty when some port opens.
QString NoCableText(const CPortDialogFields& fields);

} // namespace tarsel::ui
