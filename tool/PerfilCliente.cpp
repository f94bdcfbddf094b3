#include "tool/PerfilCliente.h"

#include "session/uTotal.h"

#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

PerfilCliente perfilDoCliente1()
{
    // A clientes.ini of our own guarantees code 1 whatever the target folder holds.
    QTemporaryDir session;
    QFile ini(session.filePath(QStringLiteral("clientes.ini")));
    if (!session.isValid() || !ini.open(QIODevice::WriteOnly) || ini.write("[dados_cliente]\ncodigo=1\n") < 0)
        throw std::runtime_error("cannot prepare a session folder");
    ini.close();

    InicializaSessao(session.path());
    return {Descricao_Cliente, Descricao_CNPJ_Cliente, Descricao_UA};
}
