#pragma once

// The session state shared by every window: plain globals, read and written directly.
// Only the user-interface thread touches them.
#include <QString>
#include <QStringList>

// Configuration read from clientes.ini
extern int ini_clientecodigo;
extern QString ini_clientenome;
extern bool ini_clienteweb;
extern bool ini_clienterede;
extern QString ini_clienteipnome;

// Connection and location
extern QString DiretorioCorrente;
extern bool Sistema_na_WEB;
extern bool Sistema_na_Rede;
extern QString Rede_IP_NOME;
extern QString Rede_2_Pontos;
extern QString Rede_Caminho;
extern QString Rede_Caminho_WEB;

// Organisation profile
extern QString Descricao_Cliente;
extern QString Descricao_Versao;
extern QString Descricao_CNPJ_Cliente;
extern QString Descricao_Endereco;
extern QString Descricao_Bairro;
extern QString Descricao_Cidade;
extern QString Descricao_UF;
extern QString Descricao_Estado;
extern QString Descricao_CEP;
extern QString Descricao_Telefone;
extern QString Descricao_UA;
extern QString Qual_Banco;
extern QString Cedente_Banco;
extern QString Codigo_SICOB;

// Module titles of the suite
extern QString Descricao_Sistema_Global;
extern QString Descricao_Sistema;
extern QString Descricao_Sistema_Sec;
extern QString Descricao_Sistema_Dept;
extern QString Descricao_Sistema_Compra;
extern QString Descricao_Sistema_Estoc;
extern QString Descricao_Sistema_Financ;

// Working period and sign-in
extern QString Mes_Vero;
extern QString Ano_Vero;
extern QStringList Meses_Trabalho;
extern QString Usuario_Codigo;
extern QString Usuario_Nome;
extern QString Usuario_CPF;
extern bool uAdministrador;
extern bool uAdministradorTemporario;
extern bool Usuario_Verificado;

// Key of the password encoding
extern int Chave;

// Values handed between windows
extern QString TituloRelatorio;
extern QString ComandoPesquisa;
extern bool CamposOK;
extern QString GsCodigo[8]; // elements 1 to 7 are used

// Report colours
extern QString Cor_Pauta_True;
extern QString Cor_Pauta_False;
extern QString Cor_Cabecalho;
extern QString Cor_ChildBand;

extern QStringList Unidades_Produtos;

// Reads clientes.ini from the working folder and gives every session value its start value.
// Runs once, before any window exists.
void InicializaSessao();
// The same for the folder pasta (absolute), which becomes DiretorioCorrente: a program without
// windows serving a folder named on its command line leaves its working folder alone.
void InicializaSessao(const QString &pasta);

// The process's working folder as the session keeps it.
QString diretorioAtual();
