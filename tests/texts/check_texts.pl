#!/usr/bin/perl
# The rules of the product's texts, read from the sources:
#  1. no string literal of a program's .cpp or .h holds a text a person reads: every literal with a
#     Chinese character is a fault, but for the font face names;
#  2. every string-table entry of a .rc file has its identifier defined once, under a number no other
#     entry uses (the shared table reaches every program);
#  3. an entry that is a format lists its conversions in its identifier's comment, in order, and the
#     text has exactly those (a translation that reorders or drops an argument is caught here).
# Usage: check_texts.pl SOURCE_DIR
use strict;
use warnings;
use File::Find;

my $top = shift or die "usage: check_texts.pl SOURCE_DIR\n";
my @programDirs = qw(app checker choices common config deploy engine framework msi pages removal uninstall usb);
my %faceNames = map { $_ => 1 } ("宋体");
my $faults = 0;
sub fault { print "$_[0]\n"; $faults++; }

sub slurp { my ($path) = @_; open(my $in, '<', $path) or die "$path: $!\n"; local $/; my $text = <$in>; close $in; return $text; }

# Rule 1: literals with a non-ASCII character, comments taken out first (a comment may quote a text).
for my $dir (@programDirs) {
    for my $path (sort glob("$top/$dir/*.cpp $top/$dir/*.h")) {
        my $text = slurp($path);
        my $line = 1;
        while ($text =~ m{\G(?:(//[^\n]*)|(/\*.*?\*/)|("(?:[^"\\\n]|\\.)*")|('(?:[^'\\\n]|\\.)*')|(\n)|(.))}gs) {
            if (defined $5) { $line++; next; }
            if (defined $2) { $line += ($2 =~ tr/\n//); next; }
            next unless defined $3;
            my $literal = substr($3, 1, -1);
            next unless $literal =~ /[^\x00-\x7F]/;
            next if $faceNames{$literal};
            (my $shown = $path) =~ s{^\Q$top\E/}{};
            fault("$shown:$line: a text in the code: \"$literal\"");
        }
    }
}

# Identifiers of the string tables: every "#define IDS_NAME number  // comment" of the sources.
my (%number, %comment, %definedIn, %nameOfNumber);
my @headers;
find(sub { push @headers, $File::Find::name if /\.h$/ && $File::Find::dir !~ m{/(build|tests)(/|$)} }, $top);
for my $path (sort @headers) {
    for my $row (split /\n/, slurp($path)) {
        next unless $row =~ /^\s*#define\s+(IDS_\w+)\s+(\d+)\s*(?:\/\/\s*(.*))?$/;
        my ($name, $value, $note) = ($1, $2, $3 // '');
        fault("$name defined twice ($definedIn{$name}, $path)") if exists $number{$name};
        fault("$name and $nameOfNumber{$value} share the number $value") if exists $nameOfNumber{$value};
        ($number{$name}, $comment{$name}, $definedIn{$name}, $nameOfNumber{$value}) = ($value, $note, $path, $name);
    }
}

sub conversions {
    my ($text) = @_;
    my @found;
    while ($text =~ /%(%|[-+ #0]*(?:\d+|\*)?(?:\.(?:\d+|\*))?(?:hh|h|ll|l|I64|z)?[diouxXcsSpeEfgG])/g) {
        push @found, "%$1" unless $1 eq '%';
    }
    return join(' ', @found);
}

# Rules 2 and 3: the entries of every STRINGTABLE.
my @scripts;
find(sub { push @scripts, $File::Find::name if /\.rc$/ && $File::Find::dir !~ m{/(build|tests)(/|$)} }, $top);
my %entryIn;
for my $path (sort @scripts) {
    my $inTable = 0;
    for my $row (split /\n/, slurp($path)) {
        $inTable = 1 if $row =~ /^\s*STRINGTABLE\b/;
        $inTable = 0 if $inTable && $row =~ /^\s*END\b/;
        next unless $inTable && $row =~ /^\s*(IDS_\w+)\s+"((?:[^"]|"")*)"\s*$/;
        my ($name, $text) = ($1, $2);
        fault("$name has two texts ($entryIn{$name}, $path)") if exists $entryIn{$name};
        $entryIn{$name} = $path;
        unless (exists $number{$name}) { fault("$name ($path) has no identifier"); next; }
        my $declared = join(' ', $comment{$name} =~ /(%[-+ #0]*(?:\d+|\*)?(?:\.(?:\d+|\*))?(?:hh|h|ll|l|I64|z)?[diouxXcsSpeEfgG])/g);
        my $written = conversions($text);
        fault("$name: the text takes \"$written\", its identifier lists \"$declared\"") if $declared ne $written;
    }
}
for my $name (sort keys %number) {
    fault("$name ($definedIn{$name}) has no text in a string table") unless exists $entryIn{$name};
}

print $faults == 0 ? "texts: all in their tables\n" : "texts: $faults faults\n";
exit($faults == 0 ? 0 : 1);
