#include "session/uTotal.h"

#include "session/IniFile.h"

#include <QDir>

int ini_clientecodigo = 0;
QString ini_clientenome;
bool ini_clienteweb = false;
bool ini_clienterede = false;
QString ini_clienteipnome;

QString DiretorioCorrente;
bool Sistema_na_WEB = false;
bool Sistema_na_Rede = false;
QString Rede_IP_NOME;
QString Rede_2_Pontos;
QString Rede_Caminho;
QString Rede_Caminho_WEB;

QString Descricao_Cliente;
QString Descricao_Versao;
QString Descricao_CNPJ_Cliente;
QString Descricao_Endereco;
QString Descricao_Bairro;
QString Descricao_Cidade;
QString Descricao_UF;
QString Descricao_Estado;
QString Descricao_CEP;
QString Descricao_Telefone;
QString Descricao_UA;
QString Qual_Banco;
QString Cedente_Banco;
QString Codigo_SICOB;

QString Descricao_Sistema_Global;
QString Descricao_Sistema;
QString Descricao_Sistema_Sec;
QString Descricao_Sistema_Dept;
QString Descricao_Sistema_Compra;
QString Descricao_Sistema_Estoc;
QString Descricao_Sistema_Financ;

QString Mes_Vero;
QString Ano_Vero;
QStringList Meses_Trabalho;
QString Usuario_Codigo;
QString Usuario_Nome;
QString Usuario_CPF;
bool uAdministrador = false;
bool uAdministradorTemporario = false;
bool Usuario_Verificado = false;

int Chave = 0;

QString TituloRelatorio;
QString ComandoPesquisa;
bool CamposOK = false;
QString GsCodigo[8];

QString Cor_Pauta_True;
QString Cor_Pauta_False;
QString Cor_Cabecalho;
QString Cor_ChildBand;

QStringList Unidades_Produtos;

namespace
{

// Every client sharing a database must use this same key: stored passwords depend on it.
constexpr int kChave = 10;

void aplicaPerfilEmbutido()
{
    Mes_Vero = QStringLiteral("01");
    Ano_Vero = QStringLiteral("2018");

    Descricao_Cliente = QStringLiteral("PREFEITURA MUNICIPAL DE SERRA DOURADA");
    Descricao_Versao = QStringLiteral("Versão - 2017");
    Descricao_CNPJ_Cliente = QStringLiteral("12.345.678/0001-95");
    Descricao_Endereco = QStringLiteral("Praça da Matriz, 100");
    Descricao_Bairro = QStringLiteral("Centro");
    Descricao_Cidade = QStringLiteral("Serra Dourada");
    Descricao_UF = QStringLiteral("MG");
    Descricao_Estado = QStringLiteral("ESTADO DE MINAS GERAIS");
    Descricao_CEP = QStringLiteral("39999-000");
    Descricao_Telefone = QStringLiteral("(38) 3999-1000");
    Descricao_UA = QStringLiteral("0000");
    Qual_Banco = QStringLiteral("CEF");
    Cedente_Banco = QStringLiteral("0000 - 000 - 0000-0");
    Codigo_SICOB.clear();

    Cor_Pauta_True = QStringLiteral("clMoneyGreen");
    Cor_Pauta_False = QStringLiteral("clWhite");
    Cor_Cabecalho = QStringLiteral("clSilver");
    Cor_ChildBand = QStringLiteral("clSilver");

    Rede_Caminho_WEB = QStringLiteral("dados.serradourada.example.org:/srv/estocarium/LICITACAO.FDB");

    Meses_Trabalho.append(QStringLiteral("12/2018"));
    Meses_Trabalho.append(QStringLiteral("12/2017"));
}

// Every value back to empty, false or 0, as before the first initialisation.
void limpaSessao()
{
    for (QString *text :
         {&Rede_Caminho_WEB,   &Descricao_Cliente, &Descricao_Versao,   &Descricao_CNPJ_Cliente,
          &Descricao_Endereco, &Descricao_Bairro,  &Descricao_Cidade,   &Descricao_UF,
          &Descricao_Estado,   &Descricao_CEP,     &Descricao_Telefone, &Descricao_UA,
          &Qual_Banco,         &Cedente_Banco,     &Codigo_SICOB,       &Usuario_Codigo,
          &Usuario_Nome,       &Usuario_CPF,       &TituloRelatorio,    &ComandoPesquisa,
          &Cor_Pauta_True,     &Cor_Pauta_False,   &Cor_Cabecalho,      &Cor_ChildBand})
        text->clear();
    uAdministrador = false;
    uAdministradorTemporario = false;
    Usuario_Verificado = false;
    CamposOK = false;
}

} // namespace

QString diretorioAtual()
{
    return QDir::currentPath();
}

void InicializaSessao()
{
    InicializaSessao(diretorioAtual());
}

void InicializaSessao(const QString &pasta)
{
    limpaSessao();
    DiretorioCorrente = pasta;

    {
        const IniFile ini(DiretorioCorrente + QStringLiteral("/clientes.ini"));
        const QString section = QStringLiteral("dados_cliente");
        ini_clientecodigo = ini.readInteger(section, QStringLiteral("codigo"), 0);
        ini_clientenome = ini.readString(section, QStringLiteral("nome"), QString());
        ini_clienteweb = ini.readBool(section, QStringLiteral("web"), false);
        ini_clienterede = ini.readBool(section, QStringLiteral("rede"), false);
        ini_clienteipnome = ini.readString(section, QStringLiteral("ipnome"), QString());
        // Where the network and internet databases live: "ipnome" names the server, which holds
        // the database under the same path as this working folder; "caminho" may name a full
        // server:path for the internet mode instead of the profile's.
        Rede_IP_NOME = ini_clienteipnome;
        Rede_2_Pontos = ini_clienteipnome.isEmpty() ? QString() : QStringLiteral(":");
        Rede_Caminho = ini.readString(section, QStringLiteral("caminho"), QString());
    }

    Mes_Vero = QStringLiteral("01");
    Ano_Vero = QStringLiteral("2016");

    Descricao_Sistema_Global = QStringLiteral("E s t o c a r i u m - 2017");
    Descricao_Sistema = QStringLiteral("Estocarium / Licitação - 2017");
    Descricao_Sistema_Sec = QStringLiteral("Estocarium / Secretaria - 2017");
    Descricao_Sistema_Dept = QStringLiteral("Estocarium / Departamento - 2017");
    Descricao_Sistema_Compra = QStringLiteral("Estocarium / Setor de Compra - 2017");
    Descricao_Sistema_Estoc = QStringLiteral("Estocarium / Estocarium - 2017");
    Descricao_Sistema_Financ = QStringLiteral("Estocarium / Financeiro - 2017");

    Chave = kChave;

    for (int i = 1; i <= 7; ++i)
        GsCodigo[i].clear();

    Sistema_na_WEB = ini_clienteweb;
    Sistema_na_Rede = ini_clienterede;

    Meses_Trabalho.clear();
    Unidades_Produtos = {
        QStringLiteral("UNIDADE"),      QStringLiteral("PACOTE"),   QStringLiteral("MILHEIRO"),
        QStringLiteral("KG"),           QStringLiteral("TONELADA"), QStringLiteral("METRO"),
        QStringLiteral("METRO CÚBICO"), QStringLiteral("LATA"),     QStringLiteral("CAÇAMBA"),
        QStringLiteral("DÚZIA"),        QStringLiteral("LITRO")};

    if (ini_clientecodigo == 1)
        aplicaPerfilEmbutido();
    if (Rede_Caminho.isEmpty())
        Rede_Caminho = Rede_Caminho_WEB;
}
