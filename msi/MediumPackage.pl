#!/usr/bin/perl
# Writes the WiX source of a medium's package: every file of the medium into the program folder
# "QelvanPrinters" (a component each, so that an upgrade replaces exactly what changed), the marker that
# tells the product's programs the package stands for the medium in the list of installed programs, the
# custom actions with their sequence numbers given (wixl misplaces Before/After), and the major upgrade.
# Usage: MediumPackage.pl MEDIUM VERSION ACTION_DLL OUT.wxs   (prints the product code)
use strict;
use warnings;
use Digest::SHA qw(sha1);

my ($medium, $version, $actionDll, $out) = @ARGV;
die "usage: MediumPackage.pl MEDIUM VERSION ACTION_DLL OUT.wxs\n" unless $out;

# Fixed for every version: the upgrade code ties the versions together, the marker's component keeps
# its identity across them so that the older version's removal in an upgrade leaves it.
my $upgradeCode = '6A1F3C52-8E0B-4D7A-9B41-2F6C0D93E5A8';
my $markerGuid = '0C7E2B9D-4A61-4F38-A5D2-93B81E6F7C40';
my (@components, $next);

# The medium's digest: every file's path within the medium and its bytes, in a fixed order, so that the
# same medium gives the same digest wherever it lies.
sub mediumDigest {
    my ($path, $relative, $digest) = @_;
    opendir(my $dir, $path) or die "$path: $!\n";
    my @names = sort grep { $_ ne '.' && $_ ne '..' } readdir($dir);
    closedir($dir);
    for my $name (@names) {
        my $full = "$path/$name";
        if (-d $full) {
            mediumDigest($full, "$relative$name/", $digest);
        } else {
            $digest->add("$relative$name\0");
            $digest->addfile($full, 'b');
        }
    }
    return $digest;
}

# A product code of its own for each version and medium, the same each time that medium is packaged
# under that version (a repair of the package finds its product): a name-based UUID (version 5) of the
# version and the medium's digest within the upgrade code. A changed medium under an unchanged version
# is another product, which the major upgrade replaces; under one product code it would install nothing
# (Windows refuses it with 1638).
sub productCode {
    my $namespace = pack('H*', lc join('', split(/-/, $upgradeCode)));
    my $digest = mediumDigest($medium, '', Digest::SHA->new(256))->hexdigest;
    my @bytes = unpack('C16', sha1($namespace . "$version\n$digest"));
    $bytes[6] = ($bytes[6] & 0x0F) | 0x50;
    $bytes[8] = ($bytes[8] & 0x3F) | 0x80;
    my $hex = uc join('', map { sprintf('%02x', $_) } @bytes);
    return join('-', substr($hex, 0, 8), substr($hex, 8, 4), substr($hex, 12, 4), substr($hex, 16, 4), substr($hex, 20));
}
my $productCode = productCode();

sub xml { my ($text) = @_; $text =~ s/&/&amp;/g; $text =~ s/</&lt;/g; $text =~ s/>/&gt;/g; $text =~ s/"/&quot;/g; return $text; }

# One Directory element per folder of the medium, one component per file.
sub folder {
    my ($path, $indent) = @_;
    opendir(my $dir, $path) or die "$path: $!\n";
    my @names = sort grep { $_ ne '.' && $_ ne '..' } readdir($dir);
    closedir($dir);
    my $text = '';
    for my $name (@names) {
        my $full = "$path/$name";
        die "$full: a name wixl cannot write (not ASCII)\n" if $name =~ /[^\x20-\x7E]/;
        $next++;
        if (-d $full) {
            $text .= "$indent<Directory Id=\"d$next\" Name=\"" . xml($name) . "\">\n";
            $text .= folder($full, "$indent  ");
            $text .= "$indent</Directory>\n";
        } else {
            push @components, "c$next";
            $text .= "$indent<Component Id=\"c$next\" Guid=\"*\"><File Id=\"f$next\" Name=\"" . xml($name)
                   . "\" Source=\"" . xml($full) . "\" KeyPath=\"yes\"/></Component>\n";
        }
    }
    return $text;
}

# What the removal needs, carried in the package's Binary table (which the Installer keeps in its cached
# copy): QelvanDeploy.exe and the medium's INI files, each "name\n" "size\n" and the bytes.
sub removalMedium {
    my ($path) = @_;
    my @carried = ('QelvanDeploy.exe');
    for my $folder ('', 'DRVCONFIG') {
        my $dir = $folder eq '' ? $medium : "$medium/$folder";
        opendir(my $handle, $dir) or next;
        for my $name (sort readdir($handle)) {
            next unless $name =~ /^[A-Za-z0-9._-]+\.ini$/i && -f "$dir/$name";
            push @carried, $folder eq '' ? $name : "$folder\\$name";
        }
        closedir($handle);
    }
    open(my $out, '>:raw', $path) or die "$path: $!\n";
    for my $name (@carried) {
        (my $source = "$medium/$name") =~ s{\\}{/}g;
        open(my $in, '<:raw', $source) or die "$source: $!\n";
        local $/;
        my $bytes = <$in>;
        close($in);
        print $out "$name\n" . length($bytes) . "\n" . $bytes;
    }
    close($out);
}
(my $removalMedium = $out) =~ s{[^/]*$}{removal-medium.bin};
removalMedium($removalMedium);
$removalMedium =~ s{^/}{};

my $files = folder($medium, '          ');
# The properties the installation read, remembered beside the marker for the repair and the removal.
my $remembered = join('', map { "            <RegistryValue Root=\"HKLM\" Key=\"SOFTWARE\\Qelvan\\PrinterDriversPackage\" Name=\"$_\" Type=\"string\" Value=\"[$_]\"/>\n" }
    qw(EXACT RENUMBER TESTPAGE QELVANLOG QELVANPROFILEPATH QELVANPROFILETEXT));
my $refs = join('', map { "      <ComponentRef Id=\"$_\"/>\n" } @components);
open(my $wxs, '>', $out) or die "$out: $!\n";
print $wxs <<"WXS";
<?xml version="1.0" encoding="utf-8"?>
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
  <Product Id="$productCode" Name="Qelvan Printer Drivers" Language="2052" Version="$version"
           Manufacturer="Qelvan" UpgradeCode="$upgradeCode">
    <Package InstallerVersion="200" Compressed="yes" InstallScope="perMachine"/>
    <Media Id="1" Cabinet="medium.cab" EmbedCab="yes"/>
    <!-- The same version is upgraded too (a changed medium under an unchanged version): wixl ignores
         AllowSameVersionUpgrades, so the table writer makes the upgrade row include that version. -->
    <MajorUpgrade DowngradeErrorMessage="newer version installed (the table writer puts the text of the string table here)"/>
    <Property Id="ARPNOMODIFY" Value="1"/>
    <Directory Id="TARGETDIR" Name="SourceDir">
      <Directory Id="ProgramFilesFolder">
        <Directory Id="INSTALLDIR" Name="QelvanPrinters">
$files          <Component Id="PackageMarker" Guid="$markerGuid">
            <RegistryValue Root="HKLM" Key="SOFTWARE\\Qelvan\\PrinterDriversPackage" Name="ProductCode"
                           Type="string" Value="[ProductCode]" KeyPath="yes"/>
$remembered
          </Component>
        </Directory>
      </Directory>
    </Directory>
    <Feature Id="Drivers" Level="1">
$refs      <ComponentRef Id="PackageMarker"/>
    </Feature>
    <Binary Id="QelvanActions" SourceFile="$actionDll"/>
    <Binary Id="QelvanRemovalMedium" SourceFile="$removalMedium"/>
    <CustomAction Id="QelvanPrepare" BinaryKey="QelvanActions" DllEntry="QelvanPrepare" Execute="immediate" Return="check"/>
    <CustomAction Id="QelvanKeepOtherVersions" BinaryKey="QelvanActions" DllEntry="QelvanKeepOtherVersions" Execute="immediate" Return="ignore"/>
    <CustomAction Id="QelvanRemove" BinaryKey="QelvanActions" DllEntry="QelvanRemove" Execute="deferred" Impersonate="no" Return="check"/>
    <CustomAction Id="QelvanRollback" BinaryKey="QelvanActions" DllEntry="QelvanRollback" Execute="rollback" Impersonate="no" Return="ignore"/>
    <CustomAction Id="QelvanApply" BinaryKey="QelvanActions" DllEntry="QelvanApply" Execute="deferred" Impersonate="no" Return="check"/>
    <CustomAction Id="QelvanCommit" BinaryKey="QelvanActions" DllEntry="QelvanCommit" Execute="commit" Impersonate="no" Return="ignore"/>
    <InstallExecuteSequence>
      <Custom Action="QelvanPrepare" Sequence="1410"/>
      <Custom Action="QelvanRemove" Sequence="1610">REMOVE~="ALL" AND NOT UPGRADINGPRODUCTCODE</Custom>
      <Custom Action="QelvanRollback" Sequence="3990">NOT (REMOVE~="ALL")</Custom>
      <Custom Action="QelvanApply" Sequence="5010">NOT (REMOVE~="ALL")</Custom>
      <Custom Action="QelvanCommit" Sequence="5011">NOT (REMOVE~="ALL")</Custom>
      <Custom Action="QelvanKeepOtherVersions" Sequence="6605">REMOVE~="ALL"</Custom>
    </InstallExecuteSequence>
  </Product>
</Wix>
WXS
close($wxs);
print "$productCode\n";
