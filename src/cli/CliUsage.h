#pragma once

#include <QString>

// How quadrigo13-cli and each of its commands are used, from one table: the overview of --help,
// a command's --help and the text printed when a command is used wrongly are the same words,
// and the manual page is made from them at build time.
namespace Cli {

// The overview: the synopsis, every command with its purpose, the options and exit statuses.
QString overview();
// "Uso: quadrigo13-cli COMMAND ..." lines and the command's options; empty for an unknown name.
QString usageOf(const QString& command);

} // namespace Cli
